#include "platform/core/file.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/temp_dir.h"

namespace {

constexpr UINT kRead = CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary;
constexpr UINT kWrite = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeBinary;

int OpenCause(const std::string& path, UINT flags) {
  CFile file;
  CFileException error;
  if (file.Open(path.c_str(), flags, &error)) return CFileException::none;
  return error.m_cause;
}

TEST(CFile, OpensRegularFilesOnlyForReading) {
  TempDir dir;
  dir.Write("file", "x");
  mkfifo(dir.Path("fifo").c_str(), 0600);
  const std::pair<std::string, int> cases[] = {
      {dir.Path("file"), CFileException::none},
      {dir.Path("missing"), CFileException::fileNotFound},
      {dir.Path("file/below"), CFileException::badPath},
      {dir.Root(), CFileException::accessDenied},
      {dir.Path("fifo"), CFileException::accessDenied},   // and does not wait for a writer
      {"/dev/zero", CFileException::accessDenied},
      {"", CFileException::fileNotFound},
  };
  for (const auto& [path, cause] : cases) EXPECT_EQ(OpenCause(path, kRead), cause) << path;
}

TEST(CFile, PermissionDenied) {
  TempDir dir;
  const std::string path = dir.Write("secret", "x");
  chmod(path.c_str(), 0600);
  chmod(dir.Root().c_str(), 0755);
  if (geteuid() != 0) {
    chmod(path.c_str(), 0);
    EXPECT_EQ(OpenCause(path, kRead), CFileException::accessDenied);
    return;
  }
  // Root reads everything: ask as an ordinary user instead.
  pid_t pid = fork();
  if (pid == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
    _exit(OpenCause(path, kRead) == CFileException::accessDenied ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST(CFile, ReadsBackAfterSeeksAcrossItsBuffer) {
  TempDir dir;
  std::string bytes(1 << 20 | 777, '\0');
  std::mt19937 rng(7);
  for (char& c : bytes) c = static_cast<char>(rng());
  const std::string path = dir.Write("big", bytes);
  CFile file;
  ASSERT_TRUE(file.Open(path.c_str(), kRead));
  ULONGLONG pos = 0;
  while (pos < bytes.size()) {
    const BYTE* p;
    UINT n = file.ReadView(&p, 4096);
    ASSERT_EQ(std::string(reinterpret_cast<const char*>(p), n), bytes.substr(pos, 4096)) << pos;
    // Like the scan: back into the window just read, or a little past it.
    pos += std::uniform_int_distribution<ULONGLONG>(1, 4097)(rng);
    ASSERT_EQ(file.Seek(static_cast<LONGLONG>(pos), CFile::begin), pos);
  }
  char tail[10];
  EXPECT_EQ(file.Read(tail, sizeof tail), 0u);
  file.Seek(-5, CFile::end);
  EXPECT_EQ(file.Read(tail, sizeof tail), 5u);
  EXPECT_EQ(std::string(tail, 5), bytes.substr(bytes.size() - 5));
  file.SeekToBegin();
  std::string all(bytes.size(), '\0');
  EXPECT_EQ(file.Read(all.data(), all.size() + 1), bytes.size());
  EXPECT_EQ(all, bytes);
  file.Close();
}

TEST(CFile, NegativeSeekFails) {
  TempDir dir;
  CFile file;
  ASSERT_TRUE(file.Open(dir.Write("f", "abc").c_str(), kRead));
  try {
    file.Seek(-1, CFile::begin);
    FAIL();
  } catch (const CFileException& e) {
    EXPECT_EQ(std::string(e.GetErrorMessage()), "Seek failed on an unnamed file");
  }
}

TEST(CFile, WritesThroughItsBuffer) {
  TempDir dir;
  const std::string path = dir.Write("out", "old content that is longer");
  std::string want;
  {
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), kWrite));
    for (int k = 0; k < 30000; ++k) {
      std::string piece = std::to_string(k) + "\t";
      file.Write(piece.data(), piece.size());
      want += piece;
    }
    std::string big(200000, 'z');
    file.Write(big.data(), big.size());
    want += big;
    file.Close();
  }
  EXPECT_EQ(TempDir::Read(path), want);
  {
    CFile file;   // closed by its destructor: what was written stays
    ASSERT_TRUE(file.Open(path.c_str(), kWrite));
    file.Write("again", 5);
  }
  EXPECT_EQ(TempDir::Read(path), "again");
}

TEST(CFile, FullDiskNamesTheFile) {
  CFile file;
  ASSERT_TRUE(file.Open("/dev/full", kWrite));
  file.Write("x", 1);
  try {
    file.Close();
    FAIL() << "no error";
  } catch (const CFileException& e) {
    EXPECT_EQ(e.m_cause, CFileException::diskFull);
    EXPECT_EQ(std::string(e.GetErrorMessage()), "Disk full while accessing /dev/full.");
  }
  EXPECT_FALSE(file.IsOpen());
}

TEST(CFile, ReadOnlyFileIsNotOpenedForWritingEvenByRoot) {
  TempDir dir;
  const std::string path = dir.Write("ro", "keep me");
  chmod(path.c_str(), 0444);
  EXPECT_EQ(OpenCause(path, kWrite), CFileException::accessDenied);
  EXPECT_EQ(TempDir::Read(path), "keep me");
}

TEST(CFile, ShareDenyWriteKeepsOutWritersThatLock) {
  TempDir dir;
  const std::string path = dir.Write("shared", "keep me");
  CFile reader;
  ASSERT_TRUE(reader.Open(path.c_str(), kRead));
  EXPECT_EQ(OpenCause(path, kRead), CFileException::none);   // readers share
  EXPECT_EQ(OpenCause(path, kWrite), CFileException::sharingViolation);
  EXPECT_EQ(TempDir::Read(path), "keep me");   // not emptied either
  reader.Close();
  EXPECT_EQ(OpenCause(path, kWrite), CFileException::none);
}

TEST(CFileException, TextsForEveryCause) {
  const std::pair<int, const char*> cases[] = {
      {CFileException::none, "No error occurred."},
      {CFileException::genericException, "An unknown error occurred while accessing /f."},
      {CFileException::fileNotFound, "/f was not found."},
      {CFileException::badPath, "/f contains an invalid path."},
      {CFileException::tooManyOpenFiles, "/f could not be opened because there are too many open files."},
      {CFileException::accessDenied, "Access to /f was denied."},
      {CFileException::invalidFile, "An invalid file handle was associated with /f."},
      {CFileException::removeCurrentDir, "/f could not be removed because it is the current directory."},
      {CFileException::directoryFull, "/f could not be created because the directory is full."},
      {CFileException::badSeek, "Seek failed on /f"},
      {CFileException::hardIO, "A hardware I/O error was reported while accessing /f."},
      {CFileException::sharingViolation, "A sharing violation occurred while accessing /f."},
      {CFileException::lockViolation, "A locking violation occurred while accessing /f."},
      {CFileException::diskFull, "Disk full while accessing /f."},
      {CFileException::endOfFile, "An attempt was made to access /f past its end."},
  };
  for (const auto& [cause, text] : cases) {
    EXPECT_EQ(std::string(CFileException(cause, 0, "/f").GetErrorMessage()), text);
  }
  EXPECT_EQ(std::string(CFileException(CFileException::hardIO, 0, nullptr).GetErrorMessage()),
            "A hardware I/O error was reported while accessing an unnamed file.");
  EXPECT_EQ(CFileException::OsErrorToCause(ENOSPC), CFileException::diskFull);
  EXPECT_EQ(CFileException::OsErrorToCause(EDQUOT), CFileException::diskFull);
  EXPECT_EQ(std::string(CMemoryException().GetErrorMessage()), "Out of memory.");
}

TEST(AfxFullPath, MakesPathsAbsolute) {
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  const std::string here = cwd;
  const std::pair<std::string, std::string> cases[] = {
      {"/dev/full", "/dev/full"},
      {"/a//b/./c/../d", "/a/b/d"},
      {"/..", "/"},
      {"out.txt", (here == "/" ? "" : here) + "/out.txt"},
  };
  for (const auto& [path, full] : cases) EXPECT_EQ(std::string(AfxFullPath(path.c_str())), full) << path;
}

}  // namespace
