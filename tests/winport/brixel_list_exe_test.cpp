// brixel-list.exe as a Windows user starts it: a UTF-16 command line, stdout redirected to a file.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>

#include "core/platform/file_path.h"
#include "core/platform/windows/wide_text.h"
#include "tests/support/temp_tree.h"

namespace brixel {
namespace {

struct ExeRun {
  DWORD status = 0xFFFFFFFF;
  std::string out;
};

class BrixelListExe : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* build = std::getenv("BRIXEL_BUILD_DIR");
    if (build == nullptr) GTEST_SKIP() << "BRIXEL_BUILD_DIR is not set";
    exe_ = std::filesystem::absolute(PathFromUtf8(build) / "brixel-list.exe").make_preferred().wstring();
  }

  // Runs brixel-list.exe with the arguments as one command line, in folder.
  ExeRun Run(const std::wstring& arguments, const std::filesystem::path& folder) const {
    const std::wstring out_path = (t_.Root() / "stdout.bin").wstring();
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const HANDLE out = ::CreateFileW(out_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = out;
    std::wstring command = L"\"" + exe_ + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    ExeRun run;
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                         &startup, &process)) {
      ::WaitForSingleObject(process.hProcess, 60000);
      ::GetExitCodeProcess(process.hProcess, &run.status);
      ::CloseHandle(process.hThread);
      ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(out);
    run.out = test::ReadBytes(platform::WideToUtf8(out_path));
    return run;
  }

  test::TempTree t_;
  std::wstring exe_;
};

TEST_F(BrixelListExe, Utf16ArgumentsAndOutputBytesAsTheyAre) {
  t_.Files({"Музыка/Песня.mp3", "Музыка/b.mp3", "Музыка/sub/Ёлка.mp3"});
  const std::wstring folder = (t_.Root() / PathFromUtf8("Музыка")).wstring();
  const ExeRun run = Run(L"-r -m \"*\u044F.mp3; *\u0430.MP3\" \"" + folder + L"\"", t_.Root());
  EXPECT_EQ(run.status, 0u);
  EXPECT_EQ(run.out, "Ёлка.mp3\nПесня.mp3\n");  // UTF-8, "\n" alone: no text-mode CR
}

TEST_F(BrixelListExe, MasksReachTheProgramUnexpanded) {
  // The runtime must not turn *.mp3 into the matching names of the current folder.
  t_.Files({"a.mp3", "b.mp3"});
  const ExeRun run = Run(L"-m *.mp3", t_.Root());
  EXPECT_EQ(run.status, 0u);
  EXPECT_EQ(run.out, "a.mp3\nb.mp3\n");
}

TEST_F(BrixelListExe, ExitCodesForUsageErrorsAndMissingFolders) {
  EXPECT_EQ(Run(L"--nope", t_.Root()).status, 2u);
  const ExeRun missing = Run(L"\"" + (t_.Root() / "missing").wstring() + L"\"", t_.Root());
  EXPECT_EQ(missing.status, 1u);
  EXPECT_NE(missing.out.find("missing"), std::string::npos);
}

}  // namespace
}  // namespace brixel
