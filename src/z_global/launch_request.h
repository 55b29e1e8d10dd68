#pragma once
// What a launch gets from what the operator gives: the account, its domain, the command line and the
// file that runs, or why nothing may reach the system. Every start as the administrator is read here,
// so that what starts is the program the operator named, and never one whose name merely begins the
// same way or that lies where a user could have put it.
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
  kTooLong,         // more than kLaunchTextLimit characters, before or after the network name
  kQuoteInProgram,  // a quote inside the program's name: no file can be named so
};

inline constexpr std::size_t kLaunchTextLimit = 255;

// What a file is to a launch, by its extension (upper-cased by the ASCII rule).
enum class LaunchFileType { kPackage, kConsole, kProgram, kScript, kOther };
LaunchFileType TypeOf(std::string_view path);

// The account as the main window names it.
struct LaunchAccount {
  std::string user;
  std::string domain;
};

// How a text reads as a program and what follows it.
struct ProgramReading {
  LaunchRefusal refusal = LaunchRefusal::kNone;
  std::string commandLine;
  // The file that runs, found on disk (full path): the program, the host of a package or a console,
  // or a script. Empty when it cannot be found, for example in a folder the operator may not see.
  std::string file;
};

struct LaunchRequest {
  LaunchRefusal refusal = LaunchRefusal::kNone;
  // The text the request is made of: the path box's, the entry's, the file handed in or dropped.
  std::string text;
  std::string user;
  std::optional<std::string> domain;  // none: the system gets no domain
  // Only for a launch, not for a text that fills the path box:
  std::string commandLine;
  std::string file;
};

// given: the one text of the path box, an entry or the command line; or the dropped names.
//  - The command line: its program's name is passed over. When every word of the rest names an
//    existing file, the first is taken (several files handed in), otherwise the rest as written.
//  - A drop: the first name.
// Only a launch from the path box or an entry is read as a program and asks for the account; the
// other two fill the path box.
LaunchRequest RequestLaunch(platform::Platform& system, const LaunchAccount& account, LaunchSource source,
                            const std::vector<std::string>& given);

// The program the request starts, for the system's reasons where they speak of "%1".
std::string ProgramOf(const LaunchRequest& request);

// An account named "name@domain" logs on with no domain: the system wants none for that form.
std::optional<std::string> LogonDomain(std::string_view user, std::string_view domain);

// A text read as the system reads a command line, with the program found on disk:
//  - a quoted program runs to its closing quote, and the rest are its arguments;
//  - unquoted, the whole text when it names a file; else the longest run of its leading words that
//    names one (a run with a folder that is found only with ".exe" added must not be followed by the
//    rest of a folder's name, nor the whole text name a program, a package, a console or a script);
//  - else the whole text when it ends in one of those types, or its first word.
// By the program's type: ".MSI" through msiexec, ".MSC" through mmc (each with the file in quotes), a
// script with its full path quoted, a program with a folder quoted; ".EXE" and ".COM" quoted where
// they are the whole text; anything else as written. A quote inside the program's name is refused.
ProgramReading ReadLaunchText(platform::Platform& system, std::string_view text);

}  // namespace z_global
