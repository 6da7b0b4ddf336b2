#pragma once

#include <QString>

// What the running program knows of its own release.
namespace NUpdate {

// The MD5 digest of the file at `path` as 32 lower-case hexadecimal digits;
// empty when the file cannot be read.
QString FileDigest(const QString& path);

// The digest of the running executable itself (not of argument 0, which may
// be relative or a link); empty when it cannot be read.
QString OwnDigest();

// The version the build gives the program ("1.4.2").
QString OwnVersion();

} // namespace NUpdate
