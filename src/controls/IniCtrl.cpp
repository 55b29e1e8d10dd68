#include "controls/IniCtrl.h"

#include "ui/application.h"
#include "ui/error.h"
#include "ui/text.h"
#include "z_global/paths.h"

namespace {

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

}  // namespace

TIniCtrl::TIniCtrl(ui::TComponent* owner, std::string name) : TComponent(owner, std::move(name)) {}

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
  return System().ProfileRead(resolved, std::string(key), std::string(fallback), path);
}

void TIniCtrl::WriteValue(std::string_view section, std::string_view key, std::string_view value) {
  const std::string path = ResolvePath();
  const std::string resolved = ResolveSection(section);
  if (effective_ != TIniTarget::itIniFile ||
      !System().ProfileWrite(resolved, std::string(key), std::string(value), path))
    throw ui::EError("nach " + path + " kann nicht geschrieben werden");
}
