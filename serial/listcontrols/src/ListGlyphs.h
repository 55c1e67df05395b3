#pragma once
// The bitmap resources of the list controls (private to the library).

namespace YVclCtrl {

// Registers "GP_GRAY0", "GP_Gray1", "GP_Sel0" and "GP_Sel1"; may be called
// any number of times.
void RegisterListGlyphs();

} // namespace YVclCtrl
