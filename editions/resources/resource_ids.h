/* Resource ids shared by the programs' .rc files and the window code. Plain
   #defines: the resource compiler reads this file too. */
#pragma once

/* The window icon; the lowest icon id, so Explorer shows it for the .exe. */
#define KELVARION_MAIN_ICON 1
