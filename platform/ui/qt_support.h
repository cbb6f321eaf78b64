// Glue between the program's 8-bit texts and Qt (inside platform/ui only).
#pragma once

#include <QString>

#include "platform/core/cstring.h"

// Texts and paths are bytes in the locale's encoding.
inline QString ToQt(LPCTSTR psz) { return QString::fromLocal8Bit(psz ? psz : ""); }
inline CString FromQt(const QString& s) {
  QByteArray bytes = s.toLocal8Bit();
  return CString(bytes.constData(), static_cast<int>(bytes.size()));
}

// Makes the QApplication when nothing has made it yet (tests; AfxWinMain
// makes its own first).
void AfxEnsureApplication();
