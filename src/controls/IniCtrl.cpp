#include "controls/IniCtrl.h"

#include <optional>

#include "base/error.h"
#include "base/utf.h"
#include "controls/ini_text.h"
#include "ui/application.h"
#include "z_global/paths.h"

namespace {

// A settings file is a few hundred bytes; what lies beyond this is not read when passing a mark.
constexpr std::size_t kSettingsFileLimit = 64 * 1024;

bool Blank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string WithIniExtension(std::string_view path) {
  const std::string extension = z_global::ExtensionOf(path);
  std::string out(path);
  if (Blank(extension)) out += ".INI";
  return out;
}

std::string FileNamePart(std::string_view path) {
  const std::size_t at = path.find_last_of("\\:");
  return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

std::string ReplaceExtension(const std::string& path) {
  const std::string extension = z_global::ExtensionOf(path);
  return path.substr(0, path.size() - extension.size()) + ".INI";
}

// A settings file kept in UTF-16 (little-endian, as Windows writes it) begins with this mark.
constexpr std::string_view kUtf16Mark = "\xFF\xFE";

// How a settings file keeps its text. The system's profile functions know files in the code page, which
// they are left to; UTF-8 they would read as the code page, and UTF-16 is read and written here too,
// by one reader for both, so that every value comes back exactly as it was saved.
enum class Encoding { kCodePage, kUtf8, kUtf16 };

Encoding EncodingOf(std::string_view content) {
  if (content.starts_with(kUtf16Mark)) return Encoding::kUtf16;
  // A file in the code page is all single bytes, which are hardly ever valid UTF-8 as well; a file
  // saved as UTF-8 by an editor holds an umlaut as two bytes.
  if (content.starts_with(ini::kByteOrderMark) || ini::IsMultiByteUtf8(content)) return Encoding::kUtf8;
  return Encoding::kCodePage;
}

// The file's text as UTF-8.
std::string TextOf(Encoding encoding, std::string_view content) {
  if (encoding != Encoding::kUtf16) return std::string(content);
  std::u16string units;
  for (std::size_t at = kUtf16Mark.size(); at + 1 < content.size(); at += 2)
    units.push_back(static_cast<char16_t>(static_cast<unsigned char>(content[at]) |
                                          static_cast<unsigned char>(content[at + 1]) << 8));
  return base::Utf16ToUtf8(units);
}

// UTF-8 text as the bytes of a file kept in UTF-16, its mark in front.
std::string AsUtf16File(const std::string& utf8) {
  std::string bytes(kUtf16Mark);
  for (const char16_t unit : base::Utf8ToUtf16(utf8)) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

// The profile functions read a value in quotes without them, so one that is quoted as a whole
// ("C:\My Tools\app.exe" "/S") gets one more pair, which the next read takes off again.
std::string StoredForm(const std::string& value) {
  const bool quoted =
      value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
  return quoted ? "\"" + value + "\"" : value;
}

}  // namespace

TIniCtrl::TIniCtrl(ui::TComponent* owner, std::string_view name) : TComponent(owner, name) {}

platform::Platform& TIniCtrl::System() {
  return ui::Application().GetPlatform();
}

void TIniCtrl::SetAlphaCounter(bool value) {
  if (value == alphaCounter_) return;
  alphaCounter_ = value;
  if (alphaCounter_ && maxEntries_ > 26) maxEntries_ = 26;  // entries counted A to Z
}

void TIniCtrl::SetMaxEntries(std::uint8_t value) {
  if (!alphaCounter_ || value <= 26) maxEntries_ = value;
}

void TIniCtrl::SetIniFile(std::string_view name) {
  iniFile_ = WithIniExtension(name);
}

void TIniCtrl::SetTarget(TIniTarget target) {
  target_ = target;
  effective_ = target == TIniTarget::itAuto ? TIniTarget::itRegistry : target;
}

void TIniCtrl::SetNetUser(bool value) {
  netUser_ = value;
  if (netUser_) User = GetNetUserName();
}

std::string TIniCtrl::GetNetUserName() {
  return System().UserName().value_or("(Unbekannt)");
}

std::string TIniCtrl::ResolvePath() {
  if (iniFile_.empty()) iniFile_ = ReplaceExtension(System().ModuleFileName());
  std::string folder;
  switch (IniPrefix) {
    case TIniPathPrefix::ppFixed:
      return iniFile_;
    case TIniPathPrefix::ppWindows:
      folder = System().WindowsDirectory().text;
      break;
    case TIniPathPrefix::ppSystem:
      folder = System().SystemDirectory().text;
      break;
    case TIniPathPrefix::ppProgram:
      folder = z_global::DirectoryOf(System().ModuleFileName());
      break;
  }
  return z_global::AppendBackslash(folder) + FileNamePart(iniFile_);
}

std::string TIniCtrl::ResolveSection(std::string_view section) {
  if (Blank(section)) return Blank(lastSection_) ? std::string("Common") : lastSection_;
  std::string resolved(section);
  if (!Common) resolved += "." + (netUser_ ? GetNetUserName() : User);
  lastSection_ = resolved;
  return resolved;
}

std::string TIniCtrl::ReadValue(std::string_view section, std::string_view key, std::string_view fallback) {
  // Only the INI-file target is built; the registry and memory targets read as empty.
  if (effective_ != TIniTarget::itIniFile) return std::string(fallback);
  const std::string path = ResolvePath();
  const std::string resolved = ResolveSection(section);
  const std::string keyName(key), fallbackText(fallback);
  // Notepad saves a new file as UTF-8 with a byte-order mark in front. Windows' reader takes the mark
  // for part of the first line, so that the first section's values are not found, and reads every
  // value as the code page's: such a file, and one in UTF-16, is read here.
  const std::optional<std::string> content = System().ReadFileStart(path, kSettingsFileLimit);
  const Encoding encoding = content ? EncodingOf(*content) : Encoding::kCodePage;
  if (encoding == Encoding::kCodePage) return System().ProfileRead(resolved, keyName, fallbackText, path);
  return ini::ReadFromText(TextOf(encoding, *content), resolved, keyName, fallbackText);
}

void TIniCtrl::WriteValue(std::string_view section, std::string_view key, std::string_view value) {
  const std::string path = ResolvePath();
  const std::string resolved = ResolveSection(section);
  const platform::CallResult written =
      effective_ == TIniTarget::itIniFile
          ? WriteSetting(System(), path, resolved, std::string(key), std::string(value))
          : platform::CallResult{false, 0};
  if (!written.ok) throw EWriteError(WriteErrorText(path), written.error);
}

std::string WriteErrorText(const std::string& path) {
  return "nach " + path + " kann nicht geschrieben werden";
}

platform::CallResult WriteSetting(platform::Platform& system, const std::string& path,
                                  const std::string& section, const std::string& key,
                                  const std::string& given) {
  const std::string value = StoredForm(given);
  // A file stays in its encoding: a value in another beside the others would show wrong in every
  // editor, and the next read would take the file for another encoding.
  const std::optional<std::string> content = system.ReadFileStart(path, kSettingsFileLimit + 1);
  const bool fits = content && content->size() <= kSettingsFileLimit;
  const Encoding encoding = fits ? EncodingOf(*content) : Encoding::kCodePage;
  if (encoding == Encoding::kUtf16)
    return system.WriteFileContent(
        path, AsUtf16File(ini::WriteToText(TextOf(encoding, *content), section, key, value)));
  if (encoding == Encoding::kUtf8)
    return system.WriteFileContent(path, ini::WriteToText(*content, section, key, value));
  // A file in the code page, or a new one, is the system's to write, as long as the code page holds
  // every character. Where it does not, the system would write look-alikes, and a path could name
  // another file: the file is then kept in UTF-8 from now on, every value it had converted once.
  if (system.Utf8ToAnsi(section + key + value)) return system.ProfileWrite(section, key, value, path);
  if (content && !fits) return {false, platform::kErrorFileTooLarge};
  const std::string utf8 = system.AnsiToUtf8(content.value_or(std::string()));
  return system.WriteFileContent(
      path, std::string(ini::kByteOrderMark) + ini::WriteToText(utf8, section, key, value));
}
