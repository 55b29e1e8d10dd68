#pragma once
// The standard file-open dialog: filter, file name, folder, title and options handed to the system's
// common dialog; the chosen file comes back in FileName.
#include <cstdint>
#include <string>

#include "ui/component.h"

namespace ui {

// The system's open-dialog flags.
inline constexpr std::uint32_t OFN_OVERWRITEPROMPT = 0x2;
inline constexpr std::uint32_t OFN_HIDEREADONLY = 0x4;
inline constexpr std::uint32_t OFN_PATHMUSTEXIST = 0x800;
inline constexpr std::uint32_t OFN_FILEMUSTEXIST = 0x1000;
inline constexpr std::uint32_t OFN_CREATEPROMPT = 0x2000;
inline constexpr std::uint32_t OFN_SHAREAWARE = 0x4000;
inline constexpr std::uint32_t OFN_NONETWORKBUTTON = 0x20000;
inline constexpr std::uint32_t OFN_EXPLORER = 0x80000;
inline constexpr std::uint32_t OFN_ENABLESIZING = 0x800000;
inline constexpr std::uint32_t OFN_EX_NOPLACESBAR = 0x1;

// Sizes of the two forms of the open-file record.
inline constexpr std::uint32_t kOpenFileNameOlderSize = 76;
inline constexpr std::uint32_t kOpenFileNameFullSize = 88;

class TOpenDialog : public TComponent {
 public:
  TOpenDialog(TComponent* owner, std::string_view name) : TComponent(owner, name) {}

  std::string Filter;  // "description|pattern|description|pattern"
  std::uint32_t FilterIndex = 1;
  std::string FileName;
  std::string InitialDir;
  std::string Title;
  std::string DefaultExt;
  std::uint32_t Options = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;

  // Shows the dialog modally; true when the user chose a file, which is then in FileName.
  virtual bool Execute();

 protected:
  bool Run(std::uint32_t structSize, std::uint32_t flagsEx);
};

// "a|b|c|d" in the system's form: each part zero-terminated, one more zero at the end.
std::string SystemFilter(const std::string& filter);

}  // namespace ui
