#include "platform/ui/drop.h"

#include <algorithm>
#include <cstring>

#include "platform/ui/drop_object.h"

UINT DragQueryFile(HDROP hDrop, UINT iFile, LPTSTR lpszFile, UINT cch) {
  if (hDrop == nullptr) return 0;
  if (iFile == 0xFFFFFFFF) return static_cast<UINT>(hDrop->paths.size());
  if (iFile >= hDrop->paths.size()) return 0;
  const CString& path = hDrop->paths[iFile];
  const UINT nLength = static_cast<UINT>(path.GetLength());
  if (lpszFile == nullptr) return nLength;
  if (cch == 0) return 0;
  const UINT nCopied = std::min(nLength, cch - 1);
  std::memcpy(lpszFile, static_cast<LPCTSTR>(path), nCopied);
  lpszFile[nCopied] = '\0';
  return nCopied;
}

void DragFinish(HDROP hDrop) {
  if (hDrop) hDrop->paths.clear();
}
