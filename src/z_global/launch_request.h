#pragma once
// What a launch gets from what the operator gives: the account, its domain and the command line, or
// why nothing may reach the system. Every start as the administrator is built here, so that what
// starts is the program the operator named, and never one whose name merely begins the same way.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace z_global {

enum class LaunchSource {
  kPathBox,      // the text of the path box
  kQuickEntry,   // the path of a quick-launch entry
  kCommandLine,  // the program's own command line, for the path box
  kDrop,         // the names dropped from Explorer, for the path box
};

enum class LaunchRefusal {
  kNone,
  kNotInCodePage,         // the text holds a character the code page lacks
  kTooLong,               // more than kLaunchTextLimit characters, before or after the network name
  kAccountNotInCodePage,  // the account or its domain holds such a character
};

inline constexpr std::size_t kLaunchTextLimit = 255;

// The account as the main window names it.
struct LaunchAccount {
  std::string user;
  std::string domain;
};

struct LaunchRequest {
  LaunchRefusal refusal = LaunchRefusal::kNone;
  // The text the request is made of: the path box's, the entry's, the file handed in or dropped.
  std::string text;
  std::string user;
  std::optional<std::string> domain;  // none: the system gets no domain
  std::string commandLine;
};

// given: the one text of the path box, an entry or the command line; or the dropped names.
//  - The command line: its program's name is passed over. When every word of the rest names an
//    existing file, the first is taken (several files handed in), otherwise the rest as written.
//  - A drop: the first name.
// Only a launch from the path box or an entry asks for the account; the other two fill the path box.
LaunchRequest RequestLaunch(platform::Platform& system, const LaunchAccount& account, LaunchSource source,
                            const std::vector<std::string>& given);

// The program the request starts, as CreateProcess reads it from the command line: the system's
// reasons name it where they speak of "%1".
std::string ProgramOf(const LaunchRequest& request);

// An account named "name@domain" logs on with no domain: the system wants none for that form.
std::optional<std::string> LogonDomain(std::string_view user, std::string_view domain);

// The command line for a text:
//  - a text that is one quoted word: by what it names, as below, else as written;
//  - ".MSI" through msiexec, ".MSC" through mmc, ".EXE" and ".COM" quoted (the extension upper-cased
//    by the ASCII rule);
//  - any other text that names an existing file, quoted;
//  - a text with blanks that does not start with a quote: the longest run of its leading words that
//    names an existing file (or one with ".exe" added) as the program, by its file type as above or
//    quoted, and the rest after it as its arguments;
//  - anything else as written.
std::string CommandLineFor(platform::Platform& system, std::string_view text);

}  // namespace z_global
