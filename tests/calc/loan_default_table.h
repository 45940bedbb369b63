// The loan report's table for the calculator's defaults (200,000.00 over 30
// years at 6.125 %), byte for byte as report files have always held it.
#pragma once

inline constexpr char kDefaultLoanTable[] =
    "<table><tr bgcolor=\"#ffcc33\"><td width=115><b><font size=2>Loan Amount</font></b></td><td width=115><b>"
    "<font size=2>Term</font></b></td></tr><tr bgcolor=\"#dddddd\"><td><font size=2>200,000.00</font></td><td>"
    "<font size=2>30 Years</font></td></tr><tr bgcolor=\"#ffcc33\"><td><b><font size=2>Rate</font></b></td><td><b>"
    "<font size=2>Monthly P&I</font></b></td></tr><tr bgcolor=\"#dddddd\"><td><font size=2>6.125%</font></td><td>"
    "<font size=2>1,215.22</font></td></tr><tr bgcolor=\"#ffcc33\"><td><b><font size=2>Total Interest</font></b>"
    "</td><td><b><font size=2>Total P&I</font></b></td></tr><tr bgcolor=\"#dddddd\"><td><font size=2>237,479.59"
    "</font></td><td><font size=2>437,479.59</font></td></tr></table><br/>&nbsp;<br/>";
