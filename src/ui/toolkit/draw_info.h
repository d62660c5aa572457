#pragma once
#include "ui/toolkit/dui_string.h"
#include "ui/toolkit/ui_types.h"

// A parsed image string. Forms:
//   "common/logo.png"                      a bare path (no '=' anywhere)
//   "file='common/btn.png' source='0,0,40,20' corner='4,4,4,4' dest='2,2,22,22' fade='128'
//    mask='#FFFF00FF' hole='true' xtiled='false' ytiled='false'"
//   "res='LOGO'"                           an image id from res.xml (or a file name)
// Values may be in single or double quotes. source and corner are in image pixels (an SVG's
// own units); dest is relative to the control's top-left corner at 96 DPI. See skin/README.md.
struct TDrawInfo {
  CDuiString sDrawString;
  CDuiString sImageName;
  CDuiString sResType;
  RECT rcDest;
  RECT rcSource;
  RECT rcCorner;
  bool bHasDest = false;
  bool bHasSource = false;
  DWORD dwMask = 0;
  BYTE uFade = 255;
  bool bHole = false;
  bool bTiledX = false;
  bool bTiledY = false;

  // Parses the image string, then the modifier string on top of it (its keys win).
  void Parse(LPCTSTR pStrImage, LPCTSTR pStrModify = nullptr);
  bool IsEmpty() const { return sImageName.IsEmpty(); }
};
