// The Property list entries each control class takes, as tables (ListEntries.h). Entries with no Qt
// counterpart are kept and readable through Setting() only: Index, TabPanelIndex, AutoDeactivate,
// DataSource, DataField, Styled, Format, Mask, AutomaticallyCheckSpelling, ButtonStyle.
#pragma once

#include "ListEntries.h"

namespace platform {

struct ControlImpl;

namespace qt {

// What applying a control's entries leaves to be done once its whole list is applied.
inline constexpr unsigned kPlaceControl = 1;    // its rectangle, anchors or parent control changed
inline constexpr unsigned kApplyFont = 2;       // its font settings changed
inline constexpr unsigned kUpdateTabOrder = 4;  // its tab index or tab stop changed

// Geometry, anchors, focus, visibility and parent control: what every control takes.
const EntryTable<ControlImpl>& CommonControlEntries();
const EntryTable<ControlImpl>& LabelEntries();
const EntryTable<ControlImpl>& TextAreaEntries();
const EntryTable<ControlImpl>& PushButtonEntries();

}  // namespace qt

}  // namespace platform
