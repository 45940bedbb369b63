// Export marker for the classes and functions of Calvint, the calculator
// controls library.
//
// Calvint is built with CALVINT_BUILD defined and exports its classes by
// class and member name; everything that links it imports the same names.
// Its CComboBox and CEdit differ from the common-control wrappers' classes
// of the same names: a module includes one of the two libraries, never both.
#pragma once

#ifdef CALVINT_BUILD
#define CALVINT_API __declspec(dllexport)
#else
#define CALVINT_API __declspec(dllimport)
#endif
