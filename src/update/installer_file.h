#pragma once

#include <QString>
#include <QUrl>

// Where a downloaded installer is written.
namespace NUpdate {

// The file name the installer's address gives, made safe to use as a name in
// a folder: path separators and control characters become "_"; an empty name,
// "." or ".." becomes "quillmere-installer".
QString InstallerFileName(const QUrl& installerUrl);

} // namespace NUpdate
