#include "controls/FormSizeSave.h"

#include <optional>

#include "ui/application.h"
#include "ui/error.h"

namespace {

bool Blank(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) > 32) return false;
  return true;
}

// The open key of one operation, closed when the operation ends however it ends.
class OpenKey {
 public:
  explicit OpenKey(platform::Platform& system, const std::string& path) : system_(system) {
    open_ = system_.RegCreateKeyLocalMachine(path, key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() {
    if (open_) system_.RegCloseKey(key_);
  }
  bool IsOpen() const { return open_; }

  // A stored 32-bit integer, or nothing when the value does not exist.
  std::optional<std::int32_t> ReadInteger(const std::string& name) {
    const platform::RegValue value = system_.RegReadValue(key_, name, 4);
    switch (value.status) {
      case platform::RegValue::Status::kMissing:
        return std::nullopt;
      case platform::RegValue::Status::kMoreData:
      case platform::RegValue::Status::kFailed:
        throw ui::EError("Konnte Daten für '" + name + "' nicht holen");
      case platform::RegValue::Status::kOk:
        break;
    }
    if (value.type != platform::kRegDword) throw ui::EError("Ungültiger Datentyp für '" + name + "'");
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
    throw ui::EError("Konnte Daten für '" + name + "' nicht setzen");
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

}  // namespace

TFormSizeSave::TFormSizeSave(ui::TForm* owner, std::string name)
    : TComponent(owner, std::move(name)), form_(*owner) {}

std::string TFormSizeSave::KeyPath() const {
  std::string path = "\\SOFTWARE\\";
  if (!Blank(Company)) path += Company;
  if (!Blank(ProductName)) path += "\\" + ProductName;
  if (!Blank(SubKey)) path += "\\" + SubKey;
  return path;
}

void TFormSizeSave::LoadFromRegistry() {
  OpenKey key(ui::Application().GetPlatform(), KeyPath());
  if (!key.IsOpen()) return;
  const std::string prefix = form_.Name();
  if (WithPosition(SaveMode)) {
    if (auto left = key.ReadInteger(prefix + ".Left")) form_.SetLeft(*left);
    if (auto top = key.ReadInteger(prefix + ".Top")) form_.SetTop(*top);
  }
  if (WithSize(SaveMode)) {
    if (auto width = key.ReadInteger(prefix + ".Width")) form_.SetWidth(*width);
    if (auto height = key.ReadInteger(prefix + ".Height")) form_.SetHeight(*height);
  }
  if (auto state = key.ReadInteger(prefix + ".State")) {
    if (*state >= 0 && *state <= 2) form_.SetWindowState(static_cast<ui::WindowState>(*state));
  }
}

void TFormSizeSave::SaveToRegistry() {
  OpenKey key(ui::Application().GetPlatform(), KeyPath());
  if (!key.IsOpen()) return;
  const std::string prefix = form_.Name();
  const ui::WindowState state = form_.GetWindowState();
  if (state == ui::WindowState::kNormal) {
    if (WithPosition(SaveMode)) {
      key.WriteInteger(prefix + ".Left", form_.Left());
      key.WriteInteger(prefix + ".Top", form_.Top());
    }
    if (WithSize(SaveMode)) {
      key.WriteInteger(prefix + ".Width", form_.Width());
      key.WriteInteger(prefix + ".Height", form_.Height());
    }
  }
  key.WriteString(prefix + ".Caption", form_.Caption());
  key.WriteInteger(prefix + ".State", static_cast<std::int32_t>(state));
}
