// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace sus::cli {

// Whether the error stream is a terminal, where a progress line can be redrawn in place.
bool errorStreamIsTerminal();

// Writes the output as its bytes: line feeds as they are (Windows would turn each into a carriage
// return and a line feed), and the UTF-8 of file names and texts shown as UTF-8 on a console (which
// Windows would read in the console's code page).
void writeOutputAsBytes();

} // namespace sus::cli
