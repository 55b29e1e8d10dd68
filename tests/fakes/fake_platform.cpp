#include "fakes/fake_platform.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "controls/ini_file.h"

#include "base/text.h"
#include "base/utf.h"

namespace fake {
namespace {

constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kPathNotFound = 3;
// Process handles lie above every token's, so that closing tells them apart.
constexpr platform::Handle kProcessHandles = 1u << 20;
constexpr std::uint32_t kLogonFailure = 1326;

std::string DriveRoot(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' ? std::string(1, base::UpperAscii(path[0])) + ":" : std::string();
}

// Compared in place: a copy of the password made here would itself outlive the call.
// Compared in a wiping buffer, so that the comparison leaves no copy of a password behind.
bool Same(const char16_t* wide, const std::string& narrow) {
  secret::Wide expected;
  expected.Reserve(base::Utf16Length(narrow));
  base::Utf8ToUtf16(narrow, expected.data());
  return wide && std::u16string_view(wide) == expected.view();
}

}  // namespace

std::vector<std::uint8_t> Dword(std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
}

std::u16string Widen(std::string_view text) {
  return base::Utf8ToUtf16(text);
}

std::string Narrow(const char16_t* text) {
  return text ? base::Utf16ToUtf8(text) : std::string();
}

platform::ElevationType FakePlatform::TokenElevationType(platform::Handle) {
  return elevationType;
}

platform::CallResult FakePlatform::StartWithLogon(const platform::LogonLaunch& launch,
                                                  platform::Handle& process) {
  const platform::CallResult started = CreateProcessWithLogon(launch);
  if (!started.ok) return started;
  if (helperStartError) return {false, helperStartError};
  process = kProcessHandles + nextHandle_++;
  ++openProcesses;
  return started;
}

std::optional<std::uint32_t> FakePlatform::ExitCodeOf(platform::Handle process) {
  if (process < kProcessHandles) return std::nullopt;
  return helperExitCode;
}

platform::CallResult FakePlatform::ShellRunAs(const platform::ShellRunAsRequest& run,
                                              platform::Handle& process) {
  shellRunAs.push_back(run.file + "|" + run.parameters + "|" + run.directory + "|" +
                       (run.keepProcess ? "keep" : "") + "|" + std::to_string(run.owner));
  if (runAsError) return {false, runAsError};
  if (run.keepProcess) {
    process = kProcessHandles + nextHandle_++;
    ++openProcesses;
  }
  return {true, 0};
}

platform::CallResult FakePlatform::CreateProcessWithLogon(const platform::LogonLaunch& launch) {
  LaunchRecord record;
  record.user = Narrow(launch.user);
  record.domainNull = launch.domain == nullptr;
  record.domain = Narrow(launch.domain);
  record.commandLine = Narrow(launch.commandLine);
  if (launch.currentDirectory) record.currentDirectory = Narrow(launch.currentDirectory);
  record.logonFlags = launch.logonFlags;
  record.creationFlags = launch.creationFlags;
  record.applicationNameNull = launch.applicationName == nullptr;
  record.applicationName = Narrow(launch.applicationName);
  record.environmentNull = launch.environment == nullptr;
  record.startupSize = launch.startup ? launch.startup->cb : 0;
  record.passwordAccepted = Same(launch.password, acceptedPassword);
  record.userBuffer = launch.user;
  record.domainBuffer = launch.domain;
  record.passwordBuffer = launch.password;
  record.commandBuffer = launch.commandLine;
  // The system may write into the command line; prove that it can, and leave it as it was.
  if (launch.commandLine) {
    const char16_t first = launch.commandLine[0];
    launch.commandLine[0] = u'#';
    record.commandLineWritable = launch.commandLine[0] == u'#';
    launch.commandLine[0] = first;
  }
  const bool credentials = record.passwordAccepted && record.user == acceptedUser;
  launches.push_back(std::move(record));
  if (launchError) return {false, launchError};
  if (!credentials) return {false, kLogonFailure};
  if (launches.back().commandLine.empty()) return {false, kFileNotFound};
  return {true, 0};
}

platform::CallResult FakePlatform::Logon(const char16_t* user, const char16_t* domain,
                                         const char16_t* password, std::uint32_t logonType,
                                         std::uint32_t provider, platform::Handle& token) {
  LogonRecord record;
  record.user = user ? Narrow(user) : "(null)";
  record.domainNull = domain == nullptr;
  record.domain = Narrow(domain);
  record.logonType = logonType;
  record.provider = provider;
  record.passwordAccepted = Same(password, acceptedPassword);
  record.userBuffer = user;
  record.domainBuffer = domain;
  record.passwordBuffer = password;
  logons.push_back(record);
  if (logonError) return {false, logonError};
  if (!record.passwordAccepted || !base::SameTextAscii(record.user, acceptedUser))
    return {false, kLogonFailure};
  token = nextHandle_++;
  ++openTokens;
  return {true, 0};
}

platform::CallResult FakePlatform::ImpersonateLoggedOnUser(platform::Handle token) {
  if (token == 0) return {false, 6};
  if (impersonateError) return {false, impersonateError};
  ++impersonations;
  return {true, 0};
}

// The fake's code page is Latin-1 with the euro sign at 0x80.
std::optional<std::string> FakePlatform::Utf8ToAnsi(std::string_view utf8) {
  std::string out;
  for (const char16_t unit : base::Utf8ToUtf16(utf8)) {
    if (unit != 0x20AC && unit > 0xFF) return std::nullopt;
    out.push_back(unit == 0x20AC ? '\x80' : static_cast<char>(unit));
  }
  return out;
}

std::string FakePlatform::AnsiToUtf8(std::string_view ansi) {
  std::u16string units;
  for (const char c : ansi) units.push_back(c == '\x80' ? u'\u20AC' : static_cast<unsigned char>(c));
  return base::Utf16ToUtf8(units);
}

bool FakePlatform::RevertToSelf() {
  ++reverts;
  return true;
}

void FakePlatform::CloseHandle(platform::Handle handle) {
  if (handle >= kProcessHandles)
    --openProcesses;
  else
    --openTokens;
}

unsigned FakePlatform::DriveType(const std::string& root) {
  driveRootsAsked.push_back(root);
  auto it = driveTypes.find(base::UpperAscii(root.empty() ? '?' : root[0]));
  return it == driveTypes.end() ? platform::kDriveNoRootDir : it->second;
}

platform::TextResult FakePlatform::FullPathName(const std::string& path) {
  if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') return {true, path, 0};
  if (path.rfind("\\\\", 0) == 0) return {true, path, 0};
  if (path.size() >= 2 && path[1] == ':') return {true, path.substr(0, 2) + "\\" + path.substr(2), 0};
  return {true, currentDirectory + "\\" + path, 0};
}

std::optional<std::string> FakePlatform::GetUniversalName(const std::string& path) {
  const std::string root = DriveRoot(path);
  auto it = shares.find(root);
  if (it == shares.end() || unresolvable.count(root)) return std::nullopt;
  return it->second + path.substr(2);
}

platform::TextResult FakePlatform::CurrentDirectory() {
  if (currentDirectoryFails) return {false, {}, 5};
  return {true, currentDirectory, 0};
}

platform::TextResult FakePlatform::WindowsDirectory() {
  if (windowsDirectoryError) return {false, {}, windowsDirectoryError};
  return {true, windowsDirectory, 0};
}

bool FakePlatform::FileExists(const std::string& path) {
  return files.count(path) > 0;
}
bool FakePlatform::DirectoryExists(const std::string& path) {
  return directories.count(path) > 0;
}

std::optional<std::string> FakePlatform::ReadFileStart(const std::string& path, std::size_t maxBytes) {
  std::ifstream in(NativePath(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::string content(maxBytes, '\0');
  in.read(content.data(), static_cast<std::streamsize>(maxBytes));
  content.resize(static_cast<std::size_t>(in.gcount()));
  return content;
}

platform::CallResult FakePlatform::WriteFileContent(const std::string& path, const std::string& content) {
  ++profileWrites;
  if (unwritableFiles.count(path)) return {false, unwritableError};
  WriteFile(path, content);
  return {true, 0};
}

namespace {
// Where a character goes in the order: blanks and punctuation, digits, then letters without regard to
// case, a letter with an accent beside its plain one ("Ärger" among the A's).
int SortKey(char c) {
  // The plain letter of each CP1252 character from 0xC0 on; "*" marks the two signs among them.
  static constexpr char kPlain[] =
      "aaaaaaaceeeeiiiidnooooo*ouuuuyts"
      "aaaaaaaceeeeiiiidnooooo*ouuuuyty";
  const auto u = static_cast<unsigned char>(c);
  if (u >= 0xC0 && kPlain[u - 0xC0] != '*') return 0x200 + kPlain[u - 0xC0];
  if (u >= 'A' && u <= 'Z') return 0x200 + (u - 'A' + 'a');
  if (u >= 'a' && u <= 'z') return 0x200 + u;
  if (u >= '0' && u <= '9') return 0x100 + u;
  return u;
}
}  // namespace

int FakePlatform::CompareText(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i)
    if (const int d = SortKey(a[i]) - SortKey(b[i])) return d;
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

std::string FakePlatform::SystemErrorMessage(std::uint32_t code) {
  auto it = systemMessages.find(code);
  return it == systemMessages.end() ? std::string() : it->second;
}

bool FakePlatform::OpenProcessTokenRead(platform::Handle& token, std::uint32_t& error) {
  if (tokenOpenFails) {
    error = 5;
    return false;
  }
  token = nextHandle_++;
  ++openTokens;
  return true;
}

bool FakePlatform::GetTokenUser(platform::Handle, std::vector<std::uint8_t>& buffer, std::uint32_t& error) {
  if (tokenUserError) {
    error = tokenUserError;
    return false;
  }
  std::memset(buffer.data(), 0x5A, buffer.size());
  return true;
}

bool FakePlatform::LookupAccountOfTokenUser(const std::vector<std::uint8_t>&, std::string& account,
                                            std::string& domain) {
  if (lookupFails) return false;
  account = "bediener";
  domain = accountDomain;
  return true;
}

bool FakePlatform::ComputerName(std::string& name) {
  if (!computerName) return false;
  name = *computerName;
  return true;
}

bool FakePlatform::VersionInfo(platform::VersionRecord& record) {
  versionSizesAsked.push_back(record.size);
  if (extendedVersionFails && record.size == 156) return false;
  const std::uint32_t size = record.size;
  record = version;
  record.size = size;
  if (size == 148) {  // the basic record has no extended fields
    record.servicePackMajor = record.servicePackMinor = 0;
    record.suiteMask = 0;
    record.productType = 0;
  }
  return true;
}

bool FakePlatform::TrueVersion(platform::VersionRecord& record) {
  if (!trueVersion) return false;
  record = *trueVersion;
  return true;
}

int FakePlatform::GetSystemMetrics(int index) {
  auto it = metrics.find(index);
  return it == metrics.end() ? 0 : it->second;
}

FakePlatform::FakePlatform() {
  std::string pattern = (std::filesystem::temp_directory_path() / "morvela-fake-XXXXXX").string();
  root_ = mkdtemp(pattern.data()) ? pattern : std::string();
}

FakePlatform::~FakePlatform() {
  std::error_code ignored;
  if (!root_.empty()) std::filesystem::remove_all(root_, ignored);
}

std::string FakePlatform::NativePath(const std::string& windowsPath) const {
  std::string path = root_ + "/";
  for (char c : windowsPath) {
    if (c == ':') continue;
    path.push_back(c == '\\' ? '/' : c);
  }
  return path;
}

void FakePlatform::MakeFolder(const std::string& windowsFolder) {
  std::filesystem::create_directories(NativePath(windowsFolder));
}

std::string FakePlatform::ReadFile(const std::string& windowsPath) const {
  std::ifstream in(NativePath(windowsPath), std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void FakePlatform::WriteFile(const std::string& windowsPath, const std::string& content) {
  std::ofstream out(NativePath(windowsPath), std::ios::binary);
  out << content;
}

std::string FakePlatform::ProfileRead(const std::string& section, const std::string& key,
                                      const std::string& fallback, const std::string& path) {
  ++profileReads;
  // The system takes a UTF-8 byte-order mark for part of the first line, which then is no section's
  // header: that section's values are not found.
  std::string content = ReadFile(path);
  if (content.rfind(ini::kByteOrderMark, 0) == 0) content.erase(0, content.find_first_of("\r\n"));
  return ini::ReadFromText(AnsiToUtf8(content), section, key, fallback);
}

platform::CallResult FakePlatform::ProfileWrite(const std::string& section, const std::string& key,
                                                const std::string& value, const std::string& path) {
  ++profileWrites;
  if (unwritableFiles.count(path)) return {false, unwritableError};
  // The file is in the code page: what it lacks becomes a question mark, as with the system's best fit.
  const auto inCodePage = [this](const std::string& text) {
    std::string out;
    for (const char16_t unit : base::Utf8ToUtf16(text))
      out += Utf8ToAnsi(base::Utf16ToUtf8({&unit, 1})).value_or("?");
    return out;
  };
  if (!ini::WriteString(NativePath(path), inCodePage(section), inCodePage(key), inCodePage(value)))
    return {false, kPathNotFound};
  return {true, 0};
}

namespace {
std::string KeyName(platform::RegRoot root, const std::string& path) {
  return root == platform::RegRoot::kCurrentUser ? "HKCU" + path : path;
}
}  // namespace

bool FakePlatform::CreateRegKey(platform::RegRoot root, const std::string& path, platform::Handle& key) {
  const std::string name = KeyName(root, path);
  registryLog.push_back("create " + name);
  if (registryKeyFails || (standardUser && root == platform::RegRoot::kLocalMachine)) return false;
  registry[name];
  key = nextHandle_++;
  keyPaths_[key] = name;
  ++openKeys;
  return true;
}

bool FakePlatform::OpenRegKeyRead(platform::RegRoot root, const std::string& path, platform::Handle& key) {
  return RegOpenKeyLocalMachineRead(KeyName(root, path), key);
}

bool FakePlatform::RegOpenKeyLocalMachineRead(const std::string& path, platform::Handle& key) {
  registryLog.push_back("open " + path);
  if (!registry.count(path)) return false;
  key = nextHandle_++;
  keyPaths_[key] = path;
  ++openKeys;
  return true;
}

platform::RegValue FakePlatform::RegReadValue(platform::Handle key, const std::string& name,
                                              std::uint32_t maxBytes) {
  registryLog.push_back("read " + name);
  platform::RegValue value;
  auto& values = registry[keyPaths_[key]];
  auto it = values.find(name);
  if (it == values.end()) return value;
  value.type = it->second.type;
  value.size = static_cast<std::uint32_t>(it->second.data.size());
  if (value.size > maxBytes) {
    value.status = platform::RegValue::Status::kMoreData;
    return value;
  }
  value.status = platform::RegValue::Status::kOk;
  value.data = it->second.data;
  return value;
}

bool FakePlatform::RegSetDword(platform::Handle key, const std::string& name, std::uint32_t value) {
  registryLog.push_back("set " + name);
  if (unwritableValues.count(name)) return false;
  registry[keyPaths_[key]][name] = {platform::kRegDword, Dword(static_cast<std::int32_t>(value))};
  return true;
}

bool FakePlatform::RegSetString(platform::Handle key, const std::string& name, const std::string& value) {
  registryLog.push_back("set " + name);
  if (unwritableValues.count(name)) return false;
  RegEntry entry{platform::kRegSz, std::vector<std::uint8_t>(value.begin(), value.end())};
  entry.data.push_back(0);
  registry[keyPaths_[key]][name] = entry;
  return true;
}

void FakePlatform::RegCloseKey(platform::Handle key) {
  registryLog.push_back("close");
  keyPaths_.erase(key);
  --openKeys;
}

platform::PrinterEnumeration FakePlatform::PrinterNames(std::uint32_t) {
  ++printerEnumerations;
  platform::PrinterEnumeration result;
  for (const std::string& name : printers)
    result.neededBytes += static_cast<std::uint32_t>(20 + name.size() + 1);
  if (result.neededBytes == 0 || printerFillFails) return result;
  result.filled = true;
  result.names = printers;
  return result;
}

void FakePlatform::ShellOpen(platform::WindowHandle, const std::string& verb, const std::string& file,
                             int show) {
  shellOpened.push_back(verb + " " + file + " " + std::to_string(show));
}

bool FakePlatform::OpenFileDialog(platform::OpenFileRequest& request) {
  openFileRequests.push_back(request);
  return onOpenFile ? onOpenFile(request) : false;
}

}  // namespace fake
