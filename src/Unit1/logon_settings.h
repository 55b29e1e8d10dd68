#pragma once
// The account that every launch and the editor's gate use: "Administrator" of the domain of the
// account that runs the program, unless the section [Anmeldung] of the settings file names another
// (a renamed administrator, the local account that Windows LAPS manages, a domain's own administrator).
#include <optional>
#include <string>
#include <string_view>

#include "base/utf.h"

inline constexpr char kLogonSection[] = "Anmeldung";
inline constexpr char kLogonUserKey[] = "Benutzer";
inline constexpr char kLogonDomainKey[] = "Domaene";
inline constexpr char kDefaultAccount[] = "Administrator";
// The domain "." names the computer's own accounts; the system knows them under the computer's name.
inline constexpr char kThisComputer[] = ".";

// A setting that names something: nothing when it is empty, or when the settings file cannot hold it
// safely (a line break, more than 255 characters) and so it counts as not set.
inline std::optional<std::string> UsableSetting(std::string_view value) {
  if (value.empty() || base::Utf16Length(value) > 255 ||
      value.find_first_of("\r\n") != std::string_view::npos)
    return std::nullopt;
  return std::string(value);
}

// An account written as "DOMAIN\name", as administrators write one, in its two parts.
struct QualifiedAccount {
  std::string domain;
  std::string name;
};
inline std::optional<QualifiedAccount> DomainQualified(std::string_view account) {
  const std::size_t slash = account.find('\\');
  if (slash == std::string_view::npos || slash == 0 || slash + 1 == account.size()) return std::nullopt;
  return QualifiedAccount{std::string(account.substr(0, slash)), std::string(account.substr(slash + 1))};
}
