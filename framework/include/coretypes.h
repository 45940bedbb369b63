// Core value types and containers of Corvane.
//
// Classes in these headers:
//   CObject                        cobject.h   root of the polymorphic classes
//   CSize, CPoint, CRect, CRectList geometry.h  geometry records, hit-test list
//   CString                        cstring.h   shared copy-on-write UTF-16 text
//   CObList, POSITION              oblist.h    list of CObject pointers
//   CMapSS                         mapss.h     string-to-string hash map
//   CTime, CTimeSpan               cortime.h   seconds since 1970 UTC, spans
#pragma once

#include "cobject.h"
#include "cortime.h"
#include "cstring.h"
#include "geometry.h"
#include "mapss.h"
#include "oblist.h"
