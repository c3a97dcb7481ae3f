// Streams: files with their open modes and errors, memory, strings and resources.
#include <gtest/gtest.h>

#include "classlib/Classes.h"
#include "support/TestSupport.h"

namespace {

TEST(FileStream, CreateWriteReopenAndRead) {
  testsupport::TempDir dir;
  const std::string name = dir.File("data.bin");
  {
    TFileStream out(name, fmCreate);
    out.WriteBuffer("hello world", 11);
    EXPECT_EQ(out.GetSize(), 11);
    out.SetSize(5);
    EXPECT_EQ(out.GetPosition(), 5);
  }
  EXPECT_EQ(testsupport::ReadBytes(name), "hello");
  {
    TFileStream in(name, fmOpenReadWrite);
    in.Seek(-2, soEnd);
    char buffer[8] = {};
    EXPECT_EQ(in.Read(buffer, 8), 2);  // a short read is no error for Read
    EXPECT_EQ(std::string(buffer), "lo");
    in.SetPosition(0);
    EXPECT_THROW(in.ReadBuffer(buffer, 6), EReadError);
  }
  TFileStream recreated(name, fmCreate);  // creating again empties the file
  EXPECT_EQ(recreated.GetSize(), 0);
}

TEST(FileStream, OpenAndCreateFailuresNameTheFileAndTheReason) {
  testsupport::TempDir dir;
  const std::string missing = dir.File("missing.txt");
  try {
    TFileStream stream(missing, fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    const std::string prefix = "Cannot open file \"" + missing + "\". ";
    EXPECT_EQ(e.GetMessage().substr(0, prefix.size()), prefix);
    EXPECT_EQ(e.GetMessage().substr(prefix.size()), SysErrorMessage(ERROR_FILE_NOT_FOUND));
  }
  const std::string inMissingFolder = dir.File("no\\such\\folder.txt");
  try {
    TFileStream stream(inMissingFolder, fmCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.GetMessage().rfind("Cannot create file \"" + inMissingFolder + "\". ", 0), 0u);
  }
}

TEST(FileStream, SharingBitsDecideWhoElseMayOpen) {
  testsupport::TempDir dir;
  const std::string name = dir.File("shared.txt");
  testsupport::WriteBytes(name, "abc");
  {
    TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
    EXPECT_NO_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone));
    EXPECT_THROW(TFileStream(name, fmOpenWrite | fmShareDenyNone), EFOpenError);
  }
  {
    TFileStream exclusive(name, fmOpenReadWrite | fmShareExclusive);
    EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone), EFOpenError);
  }
  TFileStream writer(name, fmOpenWrite | fmShareDenyNone);
  char c;
  EXPECT_EQ(writer.Read(&c, 1), 0);  // opened for writing only
  EXPECT_EQ(FileModeAccess(fmOpenReadWrite), static_cast<DWORD>(GENERIC_READ | GENERIC_WRITE));
  EXPECT_EQ(FileModeShare(fmShareDenyRead), static_cast<DWORD>(FILE_SHARE_WRITE));
  EXPECT_EQ(FileModeShare(fmShareCompat), 0u);
}

TEST(MemoryStream, GrowsOnWriteAndReadsWhatIsThere) {
  TMemoryStream stream;
  stream.WriteBuffer("abcdef", 6);
  stream.Seek(10, soBeginning);
  stream.WriteBuffer("Z", 1);  // writing past the end fills the gap with zeros
  EXPECT_EQ(stream.GetSize(), 11);
  EXPECT_EQ(std::string(stream.GetMemory(), 11), std::string("abcdef\0\0\0\0Z", 11));
  stream.SetPosition(20);
  char buffer[4];
  EXPECT_EQ(stream.Read(buffer, 4), 0);
  stream.SetSize(3);
  EXPECT_EQ(stream.GetPosition(), 3);
  stream.Seek(-2, soCurrent);
  EXPECT_EQ(stream.Read(buffer, 4), 2);
  EXPECT_EQ(std::string(buffer, 2), "bc");
  EXPECT_THROW(stream.WriteBuffer(buffer, -1), EWriteError);
}

TEST(MemoryStream, CopyFromAndFiles) {
  testsupport::TempDir dir;
  TStringStream source("0123456789");
  source.SetPosition(7);
  TMemoryStream copy;
  EXPECT_EQ(copy.CopyFrom(source, 0), 10);  // count 0: the whole source from its start
  source.SetPosition(2);
  EXPECT_EQ(copy.CopyFrom(source, 3), 3);
  EXPECT_THROW(copy.CopyFrom(source, 10), EReadError);
  copy.SaveToFile(dir.File("m.bin"));
  EXPECT_EQ(testsupport::ReadBytes(dir.File("m.bin")).substr(0, 13), "0123456789234");

  TMemoryStream loaded;
  loaded.LoadFromFile(dir.File("m.bin"));
  EXPECT_EQ(loaded.GetPosition(), 0);
  EXPECT_EQ(loaded.GetSize(), copy.GetSize());
  loaded.Clear();
  EXPECT_EQ(loaded.GetSize(), 0);
}

TEST(StringStream, ReadsAndWritesItsString) {
  TStringStream stream("head");
  EXPECT_EQ(stream.ReadString(2), "he");
  stream.WriteString("LLO!");
  EXPECT_EQ(stream.GetDataString(), "heLLO!");
  stream.SetPosition(4);
  EXPECT_EQ(stream.ReadString(100), "O!");
  EXPECT_EQ(stream.ReadString(1), "");
}

TEST(ResourceStream, MissingResourceIsReported) {
  try {
    TResourceStream stream(GetModuleHandleA(nullptr), "TNOSUCHFORM");
    FAIL();
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.GetMessage(), "Resource TNOSUCHFORM not found");
  }
}

}  // namespace
