# SPDX-License-Identifier: Apache-2.0
# The distribution's hardening, as dpkg-buildflags gives it on Debian: fortified C library calls,
# stack protector and stack clash protection, control-flow protection, position-independent
# executables, and a read-only relocation table bound at start. The one place these are set; the
# sanitizer and fuzz presets turn them off, where they clash with the instrumentation. ELF
# platforms only: the Windows builds take their own linker's defaults.
option(SUS_HARDENING "Compile and link with the distribution's hardening flags" ON)

if(SUS_HARDENING AND NOT WIN32 AND NOT MSVC)
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options(-fstack-protector-strong -fstack-clash-protection)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|i.86)$")
    add_compile_options(-fcf-protection)
  endif()
  # Fortified functions need the optimiser; a debug build has none, and the compiler would warn.
  add_compile_options("$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
