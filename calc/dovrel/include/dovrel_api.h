// Export marker for the classes of Dovrel, the common-control wrappers.
//
// Dovrel is built with DOVREL_BUILD defined and exports its classes by class
// and member name; everything that links it imports the same names.  Its
// CComboBox and CEdit differ from the calculator library's classes of the
// same names: a module includes one of the two libraries, never both.
#pragma once

#ifdef DOVREL_BUILD
#define DOVREL_API __declspec(dllexport)
#else
#define DOVREL_API __declspec(dllimport)
#endif
