// The handles the window layer hands out. A window handle is the widget that
// shows the window; the others are opaque to the program.
#pragma once

class QWidget;

typedef QWidget* HWND;
// An icon group of the resources, with all its images.
struct IconObject;
typedef IconObject* HICON;
// The files of one drop, until DragFinish.
struct DropObject;
typedef DropObject* HDROP;
// A painting surface, valid while a paint message is handled.
struct PaintDevice;
typedef PaintDevice* HDC;
