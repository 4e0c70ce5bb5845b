// What the modes without a window need of the program folder before they touch a list:
// VELTR_dir holds it, as start-up sets it for the window, and its Lists folder exists.
#pragma once

void UseProgramFolder();
