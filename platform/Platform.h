// The public face of the application framework: the one header the program includes.
//   Runtime.h          objects, exceptions, delegates, class descriptions, main thread, program settings
//   Text.h             Color, RGB, EndOfLine, NthField, Str
//   PropertyList.h     the Property list encoding
//   Plugins.h          plug-in entry points
//   Shell.h            the shell plug-in's runner
//   EntrypointTable.h  the program's table of plug-in entry points
//   Application.h      the application object and the runtime's life cycle
//   Window.h           windows
//   Controls.h         Label, TextArea, PushButton, ProgressWheel
//   Menus.h            menu items and menu bars
//   DragDrop.h         DragItem, FolderItem
//   FileType.h         file types
//   System.h           cursors, ShowURL
#pragma once

#include "Application.h"
#include "Controls.h"
#include "DragDrop.h"
#include "EntrypointTable.h"
#include "FileType.h"
#include "Menus.h"
#include "Plugins.h"
#include "PropertyList.h"
#include "Runtime.h"
#include "Shell.h"
#include "System.h"
#include "Text.h"
#include "Window.h"
