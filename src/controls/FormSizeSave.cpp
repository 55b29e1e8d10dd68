#include "controls/FormSizeSave.h"

#include <optional>
#include <vector>

#include "base/error.h"
#include "ui/application.h"

namespace {

bool Blank(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) > 32) return false;
  return true;
}

enum class Access { kWrite, kRead };

// The open key of one operation, closed when the operation ends however it ends.
class OpenKey {
 public:
  OpenKey(platform::Platform& system, platform::RegRoot root, const std::string& path, Access access)
      : system_(system) {
    open_ = access == Access::kWrite ? system_.CreateRegKey(root, path, key_)
                                     : system_.OpenRegKeyRead(root, path, key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() {
    if (open_) system_.RegCloseKey(key_);
  }
  bool IsOpen() const { return open_; }

  bool Has(const std::string& name) {
    return system_.RegReadValue(key_, name, 0).status != platform::RegValue::Status::kMissing;
  }
  // A stored 32-bit integer, or nothing when the value does not exist.
  std::optional<std::int32_t> ReadInteger(const std::string& name) {
    const platform::RegValue value = system_.RegReadValue(key_, name, 4);
    switch (value.status) {
      case platform::RegValue::Status::kMissing:
        return std::nullopt;
      case platform::RegValue::Status::kMoreData:
      case platform::RegValue::Status::kFailed:
        throw base::EError("Konnte Daten für '" + name + "' nicht holen");
      case platform::RegValue::Status::kOk:
        break;
    }
    if (value.type != platform::kRegDword) throw base::EError("Ungültiger Datentyp für '" + name + "'");
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < value.data.size() && i < 4; ++i)
      number |= std::uint32_t{value.data[i]} << (8 * i);
    return static_cast<std::int32_t>(number);
  }
  void WriteInteger(const std::string& name, std::int32_t number) {
    if (!system_.RegSetDword(key_, name, static_cast<std::uint32_t>(number))) Failed(name);
  }
  void WriteString(const std::string& name, const std::string& text) {
    if (!system_.RegSetString(key_, name, text)) Failed(name);
  }

 private:
  [[noreturn]] static void Failed(const std::string& name) {
    throw base::EError("Konnte Daten für '" + name + "' nicht setzen");
  }
  platform::Platform& system_;
  platform::Handle key_ = 0;
  bool open_ = false;
};

bool WithPosition(TSaveMode mode) {
  return mode == TSaveMode::smPositionOnly || mode == TSaveMode::smAll;
}
bool WithSize(TSaveMode mode) {
  return mode == TSaveMode::smSizeOnly || mode == TSaveMode::smAll;
}

// The names of the values the mode reads, the state's among them.
std::vector<std::string> ValueNames(const ui::TForm& form, TSaveMode mode) {
  const std::string prefix = form.Name();
  std::vector<std::string> names;
  if (WithPosition(mode)) names.insert(names.end(), {prefix + ".Left", prefix + ".Top"});
  if (WithSize(mode)) names.insert(names.end(), {prefix + ".Width", prefix + ".Height"});
  names.push_back(prefix + ".State");
  return names;
}

void Apply(ui::TForm& form, TSaveMode mode, OpenKey& key) {
  const std::string prefix = form.Name();
  if (WithPosition(mode)) {
    if (auto left = key.ReadInteger(prefix + ".Left")) form.SetLeft(*left);
    if (auto top = key.ReadInteger(prefix + ".Top")) form.SetTop(*top);
  }
  if (WithSize(mode)) {
    if (auto width = key.ReadInteger(prefix + ".Width")) form.SetWidth(*width);
    if (auto height = key.ReadInteger(prefix + ".Height")) form.SetHeight(*height);
  }
  if (auto state = key.ReadInteger(prefix + ".State")) {
    if (*state >= 0 && *state <= 2) form.SetWindowState(static_cast<ui::WindowState>(*state));
  }
}

void Write(ui::TForm& form, TSaveMode mode, OpenKey& key) {
  const std::string prefix = form.Name();
  const ui::WindowState state = form.GetWindowState();
  if (state == ui::WindowState::kNormal) {
    if (WithPosition(mode)) {
      key.WriteInteger(prefix + ".Left", form.Left());
      key.WriteInteger(prefix + ".Top", form.Top());
    }
    if (WithSize(mode)) {
      key.WriteInteger(prefix + ".Width", form.Width());
      key.WriteInteger(prefix + ".Height", form.Height());
    }
  }
  key.WriteString(prefix + ".Caption", form.Caption());
  key.WriteInteger(prefix + ".State", static_cast<std::int32_t>(state));
}

}  // namespace

TFormSizeSave::TFormSizeSave(ui::TForm* owner, std::string_view name)
    : TComponent(owner, name), form_(*owner) {}

std::string TFormSizeSave::KeyPath() const {
  std::string path = "\\SOFTWARE\\";
  if (!Blank(Company)) path += Company;
  if (!Blank(ProductName)) path += "\\" + ProductName;
  if (!Blank(SubKey)) path += "\\" + SubKey;
  return path;
}

void TFormSizeSave::LoadFromRegistry() {
  platform::Platform& system = ui::Application().GetPlatform();
  // A standard user's position is kept below HKEY_CURRENT_USER (see SaveToRegistry); where there is
  // none, the machine's. The machine's key is opened as always, or for reading where that is refused.
  {
    OpenKey user(system, platform::RegRoot::kCurrentUser, KeyPath(), Access::kRead);
    if (user.IsOpen()) {
      for (const std::string& name : ValueNames(form_, SaveMode))
        if (user.Has(name)) return Apply(form_, SaveMode, user);
    }
  }
  OpenKey machine(system, platform::RegRoot::kLocalMachine, KeyPath(), Access::kWrite);
  if (machine.IsOpen()) return Apply(form_, SaveMode, machine);
  OpenKey readable(system, platform::RegRoot::kLocalMachine, KeyPath(), Access::kRead);
  if (readable.IsOpen()) Apply(form_, SaveMode, readable);
}

void TFormSizeSave::SaveToRegistry() {
  platform::Platform& system = ui::Application().GetPlatform();
  // A standard user may not write below HKEY_LOCAL_MACHINE: the same key below HKEY_CURRENT_USER then.
  OpenKey machine(system, platform::RegRoot::kLocalMachine, KeyPath(), Access::kWrite);
  if (machine.IsOpen()) return Write(form_, SaveMode, machine);
  OpenKey user(system, platform::RegRoot::kCurrentUser, KeyPath(), Access::kWrite);
  if (user.IsOpen()) Write(form_, SaveMode, user);
}
