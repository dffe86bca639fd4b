#pragma once

class CSpinButtonCtrl;

// Spin steps of a decimal field: when spin's buddy is a CEditDouble and code
// is kThumbPosition, writes position with the buddy's fraction ("13.25" at
// position 14 gives "14.25", "7" at 8 gives "8.00") into the buddy as ordinary
// text, so the field clamps and reports it. Returns false when the buddy is not
// a CEditDouble (a CEditInt buddy has been written by the spin itself), true
// otherwise. Pages connect it to every spin:
//   connect(spin, &CSpinButtonCtrl::scrolled, spin, &HandleSpin);
bool HandleSpin(int code, int position, CSpinButtonCtrl* spin);
