// The path rule, in this system's form and in the Windows form.
#include "folders/NormalizePath.h"
#include "folders/GivenFolder.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

TEST(NormalizePath, PosixPathsCollapseSeparatorPairsAndStartWithOneSlash) {
    EXPECT_EQ(NormalizePath(u"/home/u/docs"_s), u"/home/u/docs"_s);
    EXPECT_EQ(NormalizePath(u"/"_s), u"/"_s);
    EXPECT_EQ(NormalizePath(u""_s), u""_s);
    EXPECT_EQ(NormalizePath(u"/a//b"_s), u"/a/b"_s);
    EXPECT_EQ(NormalizePath(u"/a///b"_s), u"/a//b"_s);  // pairs, not runs: three become two
    EXPECT_EQ(NormalizePath(u"/a////b"_s), u"/a//b"_s); // four become two
    EXPECT_EQ(NormalizePath(u"//srv//share///x"_s), u"/srv/share//x"_s);
    EXPECT_EQ(NormalizePath(u"////"_s), u"/"_s);
    EXPECT_EQ(NormalizePath(u"rel//dir"_s), u"rel/dir"_s);
    EXPECT_EQ(NormalizePath(u"/a\\\\b"_s), u"/a\\\\b"_s); // backslashes are ordinary characters here
}

TEST(NormalizePath, CommandLineFoldersAreBytesMadeAbsoluteWithoutDotStepsOrTrailingSlashes) {
    EXPECT_EQ(NormalizePath(QByteArray("//caf\xe9//x")), "/caf\xe9/x");
    EXPECT_EQ(givenFolderPath("./sub/./caf\xe9/", "/home/u"), "/home/u/sub/caf\xe9");
    EXPECT_EQ(givenFolderPath(".", "/"), "/");
    EXPECT_EQ(givenFolderPath("/srv//data/.", "/elsewhere"), "/srv/data");
    EXPECT_EQ(givenFolderPath("../up", "/home/u"), "/home/u/../up"); // only the system knows where .. leads
    EXPECT_EQ(givenFolderPath("lost", ""), "lost");                  // no current folder to go by
    EXPECT_EQ(givenFolderPath("", "/home/u"), "");                   // names nothing, not the current folder
}

TEST(NormalizePath, WindowsPathsKeepTwoLeadingBackslashes) {
    EXPECT_EQ(NormalizeWindowsPath(u"C:\\Users\\u"_s), u"C:\\Users\\u"_s);
    EXPECT_EQ(NormalizeWindowsPath(u"C:\\"_s), u"C:\\"_s);
    EXPECT_EQ(NormalizeWindowsPath(u"C:\\a\\\\b"_s), u"C:\\a\\b"_s);
    EXPECT_EQ(NormalizeWindowsPath(u"C:\\a\\\\\\b"_s), u"C:\\a\\\\b"_s);
    EXPECT_EQ(NormalizeWindowsPath(u"C:\\a\\\\\\\\b"_s), u"C:\\a\\\\b"_s);
    EXPECT_EQ(NormalizeWindowsPath(u"\\\\\\\\srv\\\\share"_s), u"\\\\srv\\share"_s);
    EXPECT_EQ(NormalizeWindowsPath(u"\\x"_s), u"\\\\x"_s);
    EXPECT_EQ(NormalizeWindowsPath(u""_s), u""_s);
    EXPECT_EQ(NormalizeWindowsPath(u"\\\\\\"_s), u"\\\\"_s);
}

} // namespace
} // namespace zorvik::test
