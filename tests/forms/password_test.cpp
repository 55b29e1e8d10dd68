// The password's way through the program: the launch button and Enter in the password box, the quick
// launch with its retry through the password dialog, the dialog itself, and the administrator gate.
// Every copy made on the way must be wiped before its memory goes back, whether it lay in a wiping
// buffer, a string, a freed heap block or a stack frame that has returned; afterwards the password may
// stand only in the main window's password box, and in the dialog's box while the dialog holds it.
// Nothing of it may reach the settings file, the registry, a message box or the system's records.
//
// This test program replaces the global allocation functions to see every heap block, so it is built
// as a program of its own.
#include <gtest/gtest-spi.h>
#include <link.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <new>
#include <sstream>

#include "forms/form_fixture.h"

// --- every heap block of the program, with its size ---------------------------------------------

namespace heap {

struct alignas(16) Header {
  Header* prev;
  Header* next;
  std::size_t size;
};

Header g_blocks{&g_blocks, &g_blocks, 0};
std::atomic_flag g_lock = ATOMIC_FLAG_INIT;

class Lock {
 public:
  Lock() {
    while (g_lock.test_and_set(std::memory_order_acquire)) {
    }
  }
  ~Lock() { g_lock.clear(std::memory_order_release); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
};

// The texts looked for, and what was found in blocks freed while watching. Fixed arrays: nothing here
// may allocate, since it runs inside the allocation functions.
constexpr int kMaxNeedles = 4;
std::string_view g_needles[kMaxNeedles];
int g_needleCount = 0;
bool g_watching = false;

struct FreedCopy {
  std::size_t blockSize;
  std::size_t offset;
  bool wide;
  void* caller;
};
constexpr int kMaxFreed = 32;
FreedCopy g_freed[kMaxFreed];
int g_freedCount = 0;

// A text in the program's single-byte form, or in the UTF-16 form that the launch hands the system.
// These read memory the sanitizer keeps for itself (the gaps between static variables, returned stack
// frames), so they are not instrumented and compare byte by byte.
[[gnu::no_sanitize_address]] const unsigned char* FindNarrow(const unsigned char* at,
                                                             const unsigned char* end,
                                                             std::string_view text) {
  if (text.empty() || static_cast<std::size_t>(end - at) < text.size()) return nullptr;
  for (; at + text.size() <= end; ++at) {
    std::size_t i = 0;
    while (i < text.size() && at[i] == static_cast<unsigned char>(text[i])) ++i;
    if (i == text.size()) return at;
  }
  return nullptr;
}

[[gnu::no_sanitize_address]] const unsigned char* FindWide(const unsigned char* at, const unsigned char* end,
                                                           std::string_view text) {
  const std::size_t bytes = 2 * text.size();
  if (text.empty() || static_cast<std::size_t>(end - at) < bytes) return nullptr;
  for (; at + bytes <= end; ++at) {
    std::size_t i = 0;
    while (i < text.size() && at[2 * i] == static_cast<unsigned char>(text[i]) && at[2 * i + 1] == 0) ++i;
    if (i == text.size()) return at;
  }
  return nullptr;
}

void InspectFreed(const void* block, std::size_t size, void* caller) {
  const auto* begin = static_cast<const unsigned char*>(block);
  for (int n = 0; n < g_needleCount; ++n) {
    for (bool wide : {false, true}) {
      const unsigned char* at =
          wide ? FindWide(begin, begin + size, g_needles[n]) : FindNarrow(begin, begin + size, g_needles[n]);
      if (at && g_freedCount < kMaxFreed)
        g_freed[g_freedCount++] = {size, static_cast<std::size_t>(at - begin), wide, caller};
    }
  }
}

void* Allocate(std::size_t size) {
  auto* header = static_cast<Header*>(std::malloc(sizeof(Header) + size));
  if (!header) return nullptr;
  Lock lock;
  header->size = size;
  header->prev = &g_blocks;
  header->next = g_blocks.next;
  g_blocks.next->prev = header;
  g_blocks.next = header;
  return header + 1;
}

void Release(void* block, void* caller) {
  if (!block) return;
  Header* header = static_cast<Header*>(block) - 1;
  {
    Lock lock;
    header->prev->next = header->next;
    header->next->prev = header->prev;
    if (g_watching) InspectFreed(block, header->size, caller);
  }
  std::free(header);
}

}  // namespace heap

void* operator new(std::size_t size) {
  if (void* block = heap::Allocate(size)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return heap::Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return heap::Allocate(size);
}
void operator delete(void* block) noexcept {
  heap::Release(block, __builtin_return_address(0));
}
void operator delete[](void* block) noexcept {
  heap::Release(block, __builtin_return_address(0));
}
void operator delete(void* block, std::size_t) noexcept {
  heap::Release(block, __builtin_return_address(0));
}
void operator delete[](void* block, std::size_t) noexcept {
  heap::Release(block, __builtin_return_address(0));
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
  heap::Release(block, __builtin_return_address(0));
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
  heap::Release(block, __builtin_return_address(0));
}

namespace {

// --- the stack below the test: cleared before a step, searched after it ------------------------

// A step runs this far below the test, so that the search, which runs just below the test, does not
// overwrite what the step's returned frames left behind.
constexpr std::size_t kStepDepth = 16 * 1024;
constexpr std::size_t kStackDepth = 128 * 1024;

[[gnu::noinline]] void ClearStackBelow() {
  unsigned char area[kStackDepth];
  std::memset(area, 0, sizeof area);
  asm volatile("" : : "r"(area) : "memory");  // the zeros must really be written
}

[[gnu::noinline]] void RunDeeper(const std::function<void()>& action) {
  unsigned char gap[kStepDepth];
  asm volatile("" : : "r"(gap) : "memory");  // the gap must really be there
  action();
}

// What the step's frames left lies between the cleared bottom and the gap below this function.
[[gnu::noinline, gnu::no_sanitize_address]] int CopiesLeftOnTheStack(std::string_view text) {
  unsigned char marker = 0;
  const unsigned char* here = &marker;
  asm volatile("" : : "r"(here) : "memory");
  const unsigned char* top = here - kStepDepth / 4;  // below this function's own frames
  const unsigned char* bottom = here - kStackDepth + kStepDepth / 4;
  int found = 0;
  for (bool wide : {false, true}) {
    const unsigned char* at = bottom;
    while ((at = wide ? heap::FindWide(at, top, text) : heap::FindNarrow(at, top, text))) {
      ++found;
      ++at;
    }
  }
  return found;
}

// --- the released wiping buffers --------------------------------------------------------------

struct Released {
  const void* block;
  bool wiped;
};
std::vector<Released>* g_released = nullptr;

void RecordRelease(const void* block, std::size_t bytes) {
  const auto* p = static_cast<const unsigned char*>(block);
  g_released->push_back({block, std::all_of(p, p + bytes, [](unsigned char b) { return b == 0; })});
}

// --- the live copies of a text ------------------------------------------------------------------

// An object that may hold the text: a copy inside it, or in a heap block it points to, belongs to it.
struct Holder {
  std::string name;
  const void* object;
  std::size_t size;
};

// A range that is not the program's: the fake's own record of the accepted password.
struct Range {
  const void* begin;
  std::size_t size;
  bool Contains(const void* at) const {
    return at >= begin && static_cast<const char*>(at) < static_cast<const char*>(begin) + size;
  }
};

struct LiveCopy {
  const unsigned char* at;
  const void* block;  // the heap block it lies in, or nullptr for static data
};

// Whether the object holds the block: points to it, or to a heap block of its own (its peer) that does.
bool PointsTo(const void* object, std::size_t size, const void* block, int depth = 1) {
  const auto* bytes = static_cast<const unsigned char*>(object);
  for (std::size_t i = 0; i + sizeof(void*) <= size; ++i) {
    const void* value = nullptr;
    std::memcpy(&value, bytes + i, sizeof value);
    if (value == block) return true;
    if (depth == 0 || !value) continue;
    for (heap::Header* h = heap::g_blocks.next; h != &heap::g_blocks; h = h->next)
      if (h + 1 == value && PointsTo(value, h->size, block, depth - 1)) return true;
  }
  return false;
}

bool PointsTo(const Holder& holder, const void* block) {
  return PointsTo(holder.object, holder.size, block);
}

struct Segment {
  const unsigned char* begin;
  const unsigned char* end;
};

int CollectWritableSegments(dl_phdr_info* info, std::size_t, void* data) {
  auto* segments = static_cast<std::vector<Segment>*>(data);
  if (info->dlpi_name && info->dlpi_name[0] != '\0') return 0;  // the test program itself only
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& header = info->dlpi_phdr[i];
    if (header.p_type != PT_LOAD || !(header.p_flags & PF_W)) continue;
    const auto* begin = reinterpret_cast<const unsigned char*>(info->dlpi_addr + header.p_vaddr);
    segments->push_back({begin, begin + header.p_memsz});
  }
  return 1;
}

[[gnu::no_sanitize_address]] void FindIn(const unsigned char* begin, const unsigned char* end,
                                         std::string_view text, const void* block, LiveCopy* out, int& count,
                                         int max) {
  for (bool wide : {false, true}) {
    const unsigned char* at = begin;
    while ((at = wide ? heap::FindWide(at, end, text) : heap::FindNarrow(at, end, text))) {
      if (count < max) out[count] = {at, block};
      ++count;
      ++at;
    }
  }
}

// Names the holder of each live copy of the text in the heap and in the program's static data;
// "elsewhere" for a copy no holder accounts for. Sorted, so that tests can compare lists.
std::vector<std::string> LiveCopies(std::string_view text, const std::vector<Holder>& holders,
                                    const std::vector<Range>& ignored) {
  constexpr int kMax = 64;
  static LiveCopy found[kMax];
  int count = 0;
  std::vector<Segment> segments;
  dl_iterate_phdr(CollectWritableSegments, &segments);
  {
    heap::Lock lock;
    for (heap::Header* h = heap::g_blocks.next; h != &heap::g_blocks; h = h->next) {
      const auto* block = reinterpret_cast<const unsigned char*>(h + 1);
      FindIn(block, block + h->size, text, block, found, count, kMax);
    }
  }
  for (const Segment& segment : segments)
    FindIn(segment.begin, segment.end, text, nullptr, found, count, kMax);

  std::vector<std::string> names;
  for (int i = 0; i < std::min(count, kMax); ++i) {
    const LiveCopy& copy = found[i];
    if (std::any_of(ignored.begin(), ignored.end(), [&](const Range& r) { return r.Contains(copy.at); }))
      continue;
    std::string name = "elsewhere";
    for (const Holder& holder : holders) {
      const Range inside{holder.object, holder.size};
      if (inside.Contains(copy.at) || (copy.block && PointsTo(holder, copy.block))) name = holder.name;
    }
    names.push_back(name);
  }
  if (count > kMax) names.push_back("more than " + std::to_string(kMax));
  std::sort(names.begin(), names.end());
  return names;
}

// Every file below a folder, as one text.
std::string AllFilesBelow(const std::string& folder) {
  std::string all;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ignored)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    all.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return all;
}

// --- the walk --------------------------------------------------------------------------------------

// The passwords the operator types: one that fits a string's inline buffer, one that does not, and
// one beyond 255 characters, of which only the first 255 reach the system. Each first 16 characters
// (or the whole short one) are what is looked for, so a copy cut short is found as well.
struct Passwords {
  const char* name;
  const char* right;
  const char* wrong;
};

// 300 characters: a head, then the pattern over and over; zero-terminated, in read-only data.
constexpr std::array<char, 301> Repeated(std::string_view head, std::string_view pattern) {
  std::array<char, 301> text{};
  for (std::size_t i = 0; i < 300; ++i)
    text[i] = i < head.size() ? head[i] : pattern[(i - head.size()) % pattern.size()];
  return text;
}
constexpr auto kLong = Repeated("Sehr-langes-Kennwort-", "0123456789abcdefghijklmnopqrstuvwxyz");
constexpr auto kLongWrong = Repeated("Falsches-langes-Kennwort-", "ZYXWVUTSRQPONMLKJIHGFEDCBA9876543210");

const Passwords kPasswords[] = {
    {"Short", "Geheim-123", "Falsch-987"},
    {"Long", "Kennwort-des-Administrators-2011", "Irrtum-des-Bedieners-am-Montag"},
    {"Beyond255", kLong.data(), kLongWrong.data()},
};

std::string_view Needle(const char* password) {
  return std::string_view(password).substr(0, 16);
}

class PasswordTest : public ProgramTest, public ::testing::WithParamInterface<Passwords> {
 protected:
  const char* right = GetParam().right;
  const char* wrong = GetParam().wrong;
  std::vector<Released> released;

  void SetUp() override {
    // The system takes the first 255 characters of the password typed.
    system.acceptedPassword.assign(right, std::min<std::size_t>(std::strlen(right), 255));
    WriteEntries({{1, "Editor", "C:\\Windows\\notepad.exe", "Texteditor"}, {2, "Leer", "", ""}});
    Start();
    Main().EditPfad.SetText("C:\\Tools\\app.exe");
    g_released = &released;
    secret::SetReleaseObserver(RecordRelease);
  }
  void TearDown() override {
    secret::SetReleaseObserver(nullptr);
    g_released = nullptr;
    ProgramTest::TearDown();
  }

  // One action of the operator. Afterwards no freed block, no released wiping buffer and no returned
  // stack frame may hold either password.
  void Step(const char* what, const std::function<void()>& action) {
    SCOPED_TRACE(what);
    const std::size_t releasedBefore = released.size();
    heap::g_needles[0] = Needle(right);
    heap::g_needles[1] = Needle(wrong);
    heap::g_needleCount = 2;
    heap::g_freedCount = 0;
    ClearStackBelow();
    heap::g_watching = true;
    RunDeeper(action);
    heap::g_watching = false;
    const int onStack = CopiesLeftOnTheStack(Needle(right)) + CopiesLeftOnTheStack(Needle(wrong));

    std::ostringstream freed;
    for (int i = 0; i < heap::g_freedCount; ++i)
      freed << "\n  a block of " << heap::g_freed[i].blockSize << " bytes held it at "
            << heap::g_freed[i].offset << (heap::g_freed[i].wide ? " (wide)" : "") << ", freed from "
            << heap::g_freed[i].caller;
    EXPECT_EQ(heap::g_freedCount, 0) << "a heap block went back holding a password:" << freed.str();
    EXPECT_EQ(onStack, 0) << "a returned stack frame still holds a password";
    for (std::size_t i = releasedBefore; i < released.size(); ++i)
      EXPECT_TRUE(released[i].wiped) << "a wiping buffer went back unwiped";
  }

  // Whether a block was released wiped while the test watched.
  bool ReleasedWiped(const void* block) const {
    return std::any_of(released.begin(), released.end(),
                       [&](const Released& r) { return r.block == block && r.wiped; });
  }
  // Every password buffer the system was handed, for a launch or a logon, went back to the heap wiped.
  void ExpectHandedBuffersWiped() {
    for (const fake::LaunchRecord& launch : system.launches) {
      EXPECT_TRUE(ReleasedWiped(launch.passwordBuffer)) << "the wide password of a launch";
      EXPECT_TRUE(ReleasedWiped(launch.commandBuffer));
    }
    for (const fake::LogonRecord& logon : system.logons) {
      EXPECT_TRUE(ReleasedWiped(logon.passwordBuffer)) << "the password of a logon";
    }
  }

  // Not the program's: the test's own texts and the fake's record of the accepted password.
  std::vector<Range> TestOwn() const {
    return {{right, std::strlen(right)},
            {wrong, std::strlen(wrong)},
            {system.acceptedPassword.data(), system.acceptedPassword.capacity()}};
  }
  std::vector<std::string> CopiesOf(const char* password) {
    const std::vector<Holder> holders = {{"EditPasswort", &Main().EditPasswort, sizeof(ui::TEdit)},
                                         {"EditPasswd", &FormPass->EditPasswd, sizeof(ui::TEdit)}};
    return LiveCopies(Needle(password), holders, TestOwn());
  }

  // Nothing the program wrote or showed, and nothing the system was handed besides the password
  // itself, holds the password.
  void ExpectWrittenNowhere() {
    for (const char* password : {right, wrong}) {
      const std::string needle(Needle(password));
      EXPECT_EQ(AllFilesBelow(system.NativePath("")).find(needle), std::string::npos) << "a file";
      for (const auto& [key, values] : system.registry)
        for (const auto& [name, entry] : values)
          EXPECT_EQ(std::string(entry.data.begin(), entry.data.end()).find(needle), std::string::npos)
              << name;
      for (const ui::MessageBoxRequest& box : screen.messageBoxes)
        EXPECT_EQ((box.text + box.caption).find(needle), std::string::npos) << box.text;
      for (const fake::LaunchRecord& launch : system.launches)
        EXPECT_EQ((launch.user + launch.domain + launch.commandLine).find(needle), std::string::npos);
      for (const fake::LogonRecord& logon : system.logons)
        EXPECT_EQ((logon.user + logon.domain).find(needle), std::string::npos);
    }
  }

  void AnswerPasswordDialog(const char* typed, bool ok) {
    screen.onModal = [this, typed, ok](ui::TForm& form) {
      ASSERT_EQ(&form, FormPass);
      FormPass->EditPasswd.SetText(typed);
      if (ok)
        PressEnter(FormPass->EditPasswd);
      else
        FormPass->CancelBtn.Click();
    };
  }
};

using Strings = std::vector<std::string>;

TEST_P(PasswordTest, LaunchButtonAndEnterKeepItOnlyInThePasswordBox) {
  Step("typing", [&] { Main().EditPasswort.SetText(wrong); });
  Step("a failed launch", [&] { Main().ButtonEXE.Click(); });
  Step("typing it anew", [&] { Main().EditPasswort.SetText(right); });
  Step("Ausführen", [&] { Main().ButtonEXE.Click(); });
  Step("Enter in the password box", [&] { PressEnter(Main().EditPasswort); });

  // The wrong password fails at the logon before the launch.
  ASSERT_EQ(system.logons.size(), 3u);
  EXPECT_FALSE(system.logons[0].passwordAccepted);
  ASSERT_EQ(system.launches.size(), 2u);
  EXPECT_TRUE(system.launches[0].passwordAccepted);
  EXPECT_TRUE(system.launches[1].passwordAccepted);
  ASSERT_EQ(screen.messageBoxes.size(), 1u);
  ExpectHandedBuffersWiped();
  EXPECT_EQ(CopiesOf(right), Strings{"EditPasswort"});
  EXPECT_EQ(CopiesOf(wrong), Strings{});  // typed over: gone, not just out of sight
  ExpectWrittenNowhere();
}

TEST_P(PasswordTest, QuickLaunchThatWorksAtOnceLeavesNoCopy) {
  Main().EditPasswort.SetText(right);
  Step("quick launch", [&] { ClickOn(Quick(1)); });
  ASSERT_EQ(system.launches.size(), 1u);
  EXPECT_TRUE(system.launches[0].passwordAccepted);
  EXPECT_TRUE(screen.modalForms.empty());
  ExpectHandedBuffersWiped();
  EXPECT_EQ(CopiesOf(right), Strings{"EditPasswort"});
  ExpectWrittenNowhere();
}

// The dialog's box is emptied when it closes: the corrected password stays in the main window only,
// and the operator's mistyped one is gone from both boxes.
TEST_P(PasswordTest, RetryThroughThePasswordDialogLeavesItInTheMainWindowOnly) {
  Main().EditPasswort.SetText(wrong);
  AnswerPasswordDialog(right, true);
  Step("quick launch with a wrong password, corrected in the dialog", [&] { ClickOn(Quick(1)); });
  ASSERT_EQ(system.logons.size(), 2u);
  EXPECT_FALSE(system.logons[0].passwordAccepted);
  ASSERT_EQ(system.launches.size(), 1u);
  EXPECT_TRUE(system.launches[0].passwordAccepted);
  EXPECT_TRUE(screen.messageBoxes.empty());
  ExpectHandedBuffersWiped();
  EXPECT_EQ(CopiesOf(right), Strings{"EditPasswort"});
  EXPECT_EQ(CopiesOf(wrong), Strings{});
  ExpectWrittenNowhere();

  // The next showing fills the dialog's box with what the main window holds now.
  Step("typing another password", [&] { Main().EditPasswort.SetText(wrong); });
  AnswerPasswordDialog(wrong, false);
  Step("quick launch of the empty entry, cancelled", [&] { ClickOn(Quick(2)); });
  ExpectHandedBuffersWiped();
  EXPECT_EQ(CopiesOf(right), Strings{});
  EXPECT_EQ(CopiesOf(wrong), Strings{"EditPasswort"});
  ExpectWrittenNowhere();
}

TEST_P(PasswordTest, CancelledDialogKeepsNoCopyOfWhatWasTypedInIt) {
  Main().EditPasswort.SetText(wrong);
  AnswerPasswordDialog(right, false);
  Step("quick launch, dialog cancelled", [&] { ClickOn(Quick(1)); });
  EXPECT_EQ(system.logons.size(), 1u);
  EXPECT_EQ(system.launches.size(), 0u);
  EXPECT_TRUE(screen.messageBoxes.empty());
  ExpectHandedBuffersWiped();
  EXPECT_EQ(CopiesOf(right), Strings{});
  EXPECT_EQ(CopiesOf(wrong), Strings{"EditPasswort"});
  ExpectWrittenNowhere();
}

TEST_P(PasswordTest, SecondFailureReportsWithoutShowingThePassword) {
  system.acceptedPassword = "niemals";
  Main().EditPasswort.SetText(wrong);
  AnswerPasswordDialog(right, true);
  Step("quick launch failing twice", [&] { ClickOn(Quick(1)); });
  EXPECT_EQ(system.logons.size(), 2u);
  ASSERT_EQ(screen.messageBoxes.size(), 1u);
  EXPECT_EQ(LastBox().text,
            "Falsche Zugangsdaten oder Dateiname nicht gefunden!\n\nDer Benutzername oder das Kennwort ist "
            "falsch. (Fehler 1326)");
  ExpectHandedBuffersWiped();
  EXPECT_EQ(CopiesOf(right), Strings{"EditPasswort"});
  EXPECT_EQ(CopiesOf(wrong), Strings{});
  ExpectWrittenNowhere();
}

TEST_P(PasswordTest, GateAndEditorLeaveNoCopyAndWriteNone) {
  Main().EditPasswort.SetText(wrong);
  Step("refused at the gate", [&] { Main().Bearbeiten11.Click(); });
  ASSERT_EQ(screen.messageBoxes.size(), 1u);

  Main().EditPasswort.SetText(right);
  screen.onModal = [](ui::TForm& form) {
    ASSERT_EQ(&form, FormSpeed);
    ClickOn(FormSpeed->XPSpeedButton12);
    FormSpeed->EditText.SetText("Dienste");
    FormSpeed->EditPfad.SetText("C:\\WINDOWS\\system32\\services.msc");
    FormSpeed->XPBitBtn1.Click();
    FormSpeed->OKBtn.Click();
  };
  Step("admitted at the gate, an entry saved", [&] { Main().Bearbeiten11.Click(); });
  EXPECT_EQ(screen.modalForms, Strings{"FormSpeed"});
  ASSERT_EQ(system.logons.size(), 2u);
  EXPECT_FALSE(system.logons[0].passwordAccepted);
  EXPECT_TRUE(system.logons[1].passwordAccepted);
  EXPECT_EQ(system.openTokens, 0);
  EXPECT_NE(Settings().find("Text=Dienste"), std::string::npos);  // the file was written

  Step("closing the main window", [&] { EXPECT_TRUE(Main().CloseQuery()); });
  EXPECT_FALSE(system.registry.empty());  // the position was stored
  ExpectHandedBuffersWiped();
  EXPECT_EQ(CopiesOf(right), Strings{"EditPasswort"});
  EXPECT_EQ(CopiesOf(wrong), Strings{});
  ExpectWrittenNowhere();
}

// When the program ends, the boxes go and take the last copies with them, wiped.
TEST_P(PasswordTest, EndingTheProgramWipesTheBoxes) {
  Main().EditPasswort.SetText(right);
  ClickOn(Quick(1));
  ASSERT_EQ(CopiesOf(right), Strings{"EditPasswort"});
  Step("the program ends", [&] { app.reset(); });
  EXPECT_EQ(LiveCopies(Needle(right), {}, TestOwn()), Strings{});
  EXPECT_EQ(LiveCopies(Needle(wrong), {}, TestOwn()), Strings{});
}

std::string NameOf(const ::testing::TestParamInfo<Passwords>& passwords) {
  return passwords.param.name;
}

// The searches themselves: a copy left on purpose in each place is found, so a walk that finds none
// proves something.
[[gnu::noinline]] void LeaveOnTheStack(const char* password) {
  char copy[64];
  std::strncpy(copy, password, sizeof copy - 1);
  copy[sizeof copy - 1] = '\0';
  asm volatile("" : : "r"(copy) : "memory");
}

std::unique_ptr<char[]> HeapCopy(const char* password) {
  const std::size_t length = std::strlen(password);
  std::unique_ptr<char[]> copy(new char[length + 1]);
  std::memcpy(copy.get(), password, length + 1);
  return copy;
}

std::unique_ptr<char16_t[]> WideHeapCopy(const char* password) {
  const std::size_t length = std::strlen(password);
  std::unique_ptr<char16_t[]> copy(new char16_t[length + 1]);
  for (std::size_t i = 0; i <= length; ++i) copy[i] = static_cast<unsigned char>(password[i]);
  return copy;
}

TEST_P(PasswordTest, TheSearchesFindCopiesLeftOnPurpose) {
  EXPECT_NONFATAL_FAILURE(Step("a stack copy", [&] { LeaveOnTheStack(right); }), "returned stack frame");
  EXPECT_NONFATAL_FAILURE(Step("a freed copy", [&] { HeapCopy(wrong).reset(); }), "heap block went back");
  EXPECT_NONFATAL_FAILURE(Step("a freed wide copy", [&] { WideHeapCopy(right).reset(); }), "(wide)");
  EXPECT_NONFATAL_FAILURE(Step("an unwiped wiping buffer", [&] { secret::NotifyRelease(right, 4); }),
                          "went back unwiped");

  Main().EditPasswort.SetText(right);
  const std::unique_ptr<char[]> kept = HeapCopy(right);
  const std::unique_ptr<char16_t[]> keptWide = WideHeapCopy(right);
  EXPECT_EQ(CopiesOf(right), (Strings{"EditPasswort", "elsewhere", "elsewhere"}));
}

INSTANTIATE_TEST_SUITE_P(Passwords, PasswordTest, ::testing::ValuesIn(kPasswords), NameOf);

}  // namespace
