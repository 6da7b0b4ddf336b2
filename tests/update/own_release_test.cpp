#include "update/installer_file.h"
#include "update/own_release.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// RFC 1321's test vectors, and a file longer than one read piece.
TEST(OwnRelease, FileDigestIsMd5InLowerCaseHex) {
    const struct {
        QByteArray content;
        const char* digest;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {QByteArray(200000, 'a'), "561b1994f6baacd6e5eaf4baaa12849f"},
    };
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("program"));
    for (const auto& c : cases) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.content);
        file.close();
        EXPECT_EQ(NUpdate::FileDigest(path), QString::fromLatin1(c.digest));
    }
    EXPECT_EQ(NUpdate::FileDigest(folder.filePath(QStringLiteral("missing"))), QString());
}

// The running executable is found by its real path, even when the tests run
// through a link or a relative argument 0.
TEST(OwnRelease, OwnDigestIsTheRunningExecutables) {
    const QString own = NUpdate::OwnDigest();
    EXPECT_EQ(own.size(), 32);
    EXPECT_EQ(own, NUpdate::FileDigest(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))));
}

TEST(OwnRelease, InstallerFileNameIsSafe) {
    const struct {
        const char* url;
        const char* name;
    } cases[] = {
        {"https://example.org/files/quillmere_1.2_amd64.deb", "quillmere_1.2_amd64.deb"},
        {"https://example.org/files/Quillmere%20Setup.msi", "Quillmere Setup.msi"},
        {"https://example.org/get?file=x.deb", "get"},
        {"https://example.org/files/..%2F..%2Fetc%2Fpasswd", "passwd"},
        {"https://example.org/a%5Cb.deb", "a_b.deb"},
        {"https://example.org/a%0Ab.deb", "a_b.deb"},
        {"https://example.org/", "quillmere-installer"},
        {"https://example.org/files/..", "quillmere-installer"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NUpdate::InstallerFileName(QUrl(QString::fromLatin1(c.url))),
                  QString::fromUtf8(c.name))
            << c.url;
}

} // namespace
