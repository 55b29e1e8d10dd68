#pragma once
// A start of the program whose settings file names its account in [Anmeldung], with the stand-in
// loaded into it and that account accepting the password; for the tests of the account's forms.
#include <string>
#include <string_view>

#include "e2e/driver.h"
#include "e2e/stand_in.h"

namespace e2e {

class AccountRun {
 public:
  AccountRun(const std::string& name, const std::string& section, std::string_view user,
             std::string_view password)
      : folder_(Prepared(name, section)), session(password), program(folder_) {
    session.AcceptAccount(user);
  }
  // Started, with the stand-in in place.
  bool Ready() const { return program.Started() && session.InstallInto(program.Process()); }

 private:
  static std::string Prepared(const std::string& name, const std::string& section) {
    const std::string folder = RunFolder(name);
    WriteFile(folder + "Morvela.INI", "[Anmeldung]\r\n" + section);
    return folder;
  }
  std::string folder_;

 public:
  standin::Session session;
  Program program;
};

}  // namespace e2e
