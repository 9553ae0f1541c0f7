#include "model/NumberedPath.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/SettingsRecords.h"

using namespace varolin;

TEST(NumberedPath, FormatsAndOutOfRangeFormatsNumberLikeFormatZero) {
    const wchar_t* expected[] = {L"_0000", L"_0", L"(0000)", L"(0)"};
    for (int format = 0; format < kRenameFormatCount; ++format) EXPECT_EQ(FormatRenameNumber(format, 0), expected[format]);
    for (int format : {-1, 4, 1000}) EXPECT_EQ(FormatRenameNumber(format, 0), L"_0000") << format;
    EXPECT_EQ(FormatRenameNumber(0, 12345), L"_12345");
    EXPECT_EQ(FormatRenameNumber(2, 7), L"(0007)");
}

TEST(NumberedPath, EveryCandidateTakesTheNextNumberAndSplitsAsTheRuntimeDoes) {
    RenameCounter counter;
    EXPECT_EQ(MakeNumberedPath(L"C:\\Data\\SAMPLE.jpg", 0, counter), L"C:\\Data\\SAMPLE_0000.jpg");
    // Another folder and another file still share the counter; a taken candidate gets its own.
    EXPECT_EQ(MakeNumberedPath(L"D:\\b\\y.doc", 1, counter), L"D:\\b\\y_1.doc");
    EXPECT_EQ(MakeNumberedPath(L"C:\\Data\\SAMPLE_0000.jpg", 0, counter), L"C:\\Data\\SAMPLE_0000_0002.jpg");
    EXPECT_EQ(MakeNumberedPath(L"C:\\Data\\README", 0, counter), L"C:\\Data\\README_0003");
    EXPECT_EQ(MakeNumberedPath(L"C:\\Data\\a.tar.gz", 0, counter), L"C:\\Data\\a.tar_0004.gz");
    // A dot in a folder name is not an extension; a slash ends a folder like a backslash.
    EXPECT_EQ(MakeNumberedPath(L"C:/v1.2/notes", 0, counter), L"C:/v1.2/notes_0005");
    EXPECT_EQ(MakeNumberedPath(L"\\\\srv\\share\\.profile", 0, counter), L"\\\\srv\\share\\_0006.profile");
    EXPECT_EQ(MakeNumberedPath(L"D:\\写真\\表示.jpg", 0, counter), L"D:\\写真\\表示_0007.jpg");
    EXPECT_EQ(counter.Peek(), 8);
}

TEST(NumberedPath, CandidateKeptWithinNameAndPathLimits) {
    RenameCounter counter;
    const std::wstring longName(251, L'n');  // 251 + ".jpg" = 255: the longest name there is
    EXPECT_EQ(MakeNumberedPath(L"C:\\d\\" + longName + L".jpg", 0, counter),
              L"C:\\d\\" + std::wstring(246, L'n') + L"_0000.jpg");

    // Paths pass 260 characters freely (files are reached in the long form); the whole path
    // has a limit of its own.
    const std::wstring folder = L"C:\\" + std::wstring(240, L'f') + L"\\";
    EXPECT_EQ(MakeNumberedPath(folder + L"abcdefghij.txt", 0, counter), folder + L"abcdefghij_0001.txt");
    const std::wstring deep = L"C:\\" + std::wstring(kMaxPathChars - 14, L'g') + L"\\report.bin";
    EXPECT_EQ(MakeNumberedPath(deep, 0, counter), deep.substr(0, deep.size() - 10) + L"r_0002.bin");

    // Half a surrogate pair is never left at the cut (UTF-16 units spelled out, so that the
    // test means the same where wchar_t is 32 bits wide).
    std::wstring emoji = L"a";
    for (int i = 0; i < 130; ++i) emoji += {wchar_t(0xD83D), wchar_t(0xDE00)};
    EXPECT_EQ(MakeNumberedPath(L"C:\\d\\" + emoji, 0, counter), L"C:\\d\\" + emoji.substr(0, 249) + L"_0003");
}

TEST(NumberedPath, RepeatedConflictsNeverRepeatACandidate) {
    // A file dropped again and again into the same folder: each run numbers the previous
    // run's result. Once shortening starts, candidates must still all differ and fit.
    RenameCounter counter;
    std::set<std::wstring> seen;
    std::wstring path = L"C:\\d\\" + std::wstring(200, L'x') + L".jpg";
    for (int run = 0; run < 3000; ++run) {
        path = MakeNumberedPath(path, 1, counter);
        EXPECT_LE(path.size() - 5, kMaxFileNameChars);
        ASSERT_TRUE(seen.insert(path).second) << run;
    }
    // An extension too long for any candidate to fit: still a new name every time, no loop.
    const std::wstring hopeless = L"C:\\d\\a." + std::wstring(300, L'e');
    EXPECT_NE(MakeNumberedPath(hopeless, 0, counter), MakeNumberedPath(hopeless, 0, counter));
}
