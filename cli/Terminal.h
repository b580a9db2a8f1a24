#pragma once

namespace sus::cli {

// Whether the error stream is a terminal, where a progress line can be redrawn in place.
bool errorStreamIsTerminal();

// Writes line feeds as they are (Windows would turn each into a carriage return and a line feed).
void writeOutputAsBytes();

} // namespace sus::cli
