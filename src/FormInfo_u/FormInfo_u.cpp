#include "FormInfo_u/FormInfo_u.h"

#include "ui/application.h"

TFormInfo* FormInfo = nullptr;

TFormInfo::TFormInfo(ui::TComponent* owner) : TForm(owner, "FormInfo", "Programm-Info", 223, 121) {
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetPosition(ui::FormPosition::kScreenCenter);
  ui::Font link;
  link.color = ui::clBlue;
  link.underline = true;
  Label3.SetFont(link);
  Label3.SetCursor(ui::Cursor::kHandPoint);
  Label3.OnClick = ui::Bind(this, &TFormInfo::Label3Click);
  OKBtn.SetTabOrder(0);
  OKBtn.SetDefault(true);
  OKBtn.SetModalResult(ui::mrOk);
}

void TFormInfo::Label3Click(ui::TObject* sender) {
  const std::string address = dynamic_cast<ui::TLabel&>(*sender).Text();
  ui::Application().GetPlatform().ShellOpen(Handle(), "open", address, platform::kSwShow);
}
