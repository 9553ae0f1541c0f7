#pragma once
// The system's ANSI code page (CP_ACP) for the portable code that takes one.
#include "model/AnsiCodePage.h"

const varolin::AnsiCodePage& SystemAnsiCodePage();
