#pragma once
// The font that PickFont gives back.
#include "platform/text.h"

struct FontInfo {
  int m_angle = 0;  // escapement, tenths of a degree
  int m_bold = 0;   // flags: 1 or 0
  int m_italic = 0;
  int m_strikeOut = 0;
  int m_underline = 0;
  int m_size = 9;                        // points
  Text m_faceName = "\xCB\xCE\xCC\xE5";  // 宋体 (GBK)
};
