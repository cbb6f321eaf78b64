#include "app/command_line.h"

#include <cstdint>

LPCTSTR SkipProgramName(LPCTSTR psz) {
  if (psz == nullptr || *psz == '\0') return nullptr;
  if (*psz == '"') {
    ++psz;
    while (*psz != '\0' && *psz != '"') ++psz;
  } else {
    while (*psz != '\0' && *psz != ' ' && *psz != '\t') ++psz;
  }
  if (*psz != '\0') ++psz;  // the closing quote or the blank
  while (*psz == ' ' || *psz == '\t') ++psz;
  return psz;
}

int TextToInt(LPCTSTR psz) {
  while (*psz == ' ' || (*psz >= '\t' && *psz <= '\r')) ++psz;
  bool bNegative = false;
  if (*psz == '+' || *psz == '-') bNegative = *psz++ == '-';
  uint32_t nValue = 0;
  while (*psz >= '0' && *psz <= '9') nValue = nValue * 10 + static_cast<uint32_t>(*psz++ - '0');
  if (bNegative) nValue = 0u - nValue;
  return static_cast<int32_t>(nValue);
}
