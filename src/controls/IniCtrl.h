#pragma once
// The settings file control: string reads and writes by section and key. The program uses it only on
// a plain INI file at a fixed path; nothing is cached or held open between calls, so a write made
// through one control is seen by the next read through another.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/error.h"
#include "platform/platform.h"
#include "ui/component.h"

enum class TIniTarget { itIniFile, itRegistry, itAuto, itMemIniFile };
enum class TIniPathPrefix { ppWindows, ppSystem, ppProgram, ppFixed };

class TIniCtrl : public ui::TComponent {
 public:
  TIniCtrl(ui::TComponent* owner, std::string_view name);

  bool AlphaCounter() const { return alphaCounter_; }
  void SetAlphaCounter(bool value);
  std::uint8_t MaxEntries() const { return maxEntries_; }
  void SetMaxEntries(std::uint8_t value);
  const std::string& IniFile() const { return iniFile_; }
  void SetIniFile(std::string_view name);
  TIniTarget Target() const { return target_; }
  void SetTarget(TIniTarget target);
  TIniTarget EffectiveTarget() const { return effective_; }
  bool NetUser() const { return netUser_; }
  void SetNetUser(bool value);

  bool Common = true;
  TIniPathPrefix IniPrefix = TIniPathPrefix::ppWindows;
  std::string User;

  // The stored value, or the fallback when there is none (a missing file, section or key), in UTF-8
  // whatever the file's encoding: the code page's, UTF-8 or UTF-16.
  std::string ReadValue(std::string_view section, std::string_view key, std::string_view fallback);
  // Stores the value in the file's encoding; raises "nach %s kann nicht geschrieben
  // werden" with the file's path on failure.
  void WriteValue(std::string_view section, std::string_view key, std::string_view value);

  // The file a read or write uses now, and the section name it resolves to.
  std::string ResolvePath();
  std::string ResolveSection(std::string_view section);
  const std::string& LastSection() const { return lastSection_; }

  // The logged-on user's name, used as the section suffix with NetUser.
  virtual std::string GetNetUserName();

 private:
  platform::Platform& System();

  bool alphaCounter_ = false;
  std::uint8_t maxEntries_ = 16;
  std::string iniFile_;
  TIniTarget target_ = TIniTarget::itAuto;
  TIniTarget effective_ = TIniTarget::itRegistry;
  bool netUser_ = false;
  std::string lastSection_;
};

// A write that failed: its message, and the system's code of why.
class EWriteError : public base::EError {
 public:
  EWriteError(std::string message, std::uint32_t code) : EError(std::move(message)), code_(code) {}
  std::uint32_t Code() const { return code_; }

 private:
  std::uint32_t code_;
};

// "nach %s kann nicht geschrieben werden" with the file's path.
std::string WriteErrorText(const std::string& path);

// One value into an INI file, in the file's encoding, in the form that reads back as given. A file in
// the code page is the system's profile functions' to write, and becomes UTF-8 (with its mark) when the
// value holds a character the code page lacks.
platform::CallResult WriteSetting(platform::Platform& system, const std::string& path,
                                  const std::string& section, const std::string& key,
                                  const std::string& value);
