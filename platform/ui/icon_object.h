// What an icon handle holds (inside platform/ui only).
#pragma once

#include <QIcon>

#include "platform/core/win_types.h"
#include "platform/ui/handles.h"

struct IconObject {
  QIcon icon;  // every image of the group
};

// The icon group nId of the resource table; null when there is none. The
// handle lives as long as the process, as loaded resources do.
HICON AfxLoadIconGroup(UINT nId);

inline QIcon IconOf(HICON hIcon) { return hIcon ? hIcon->icon : QIcon(); }
