# Debian's hardening flags, as dpkg-buildflags gives them with every feature
# on: fortified C library calls, a stack protector, format checks, and a
# read-only relocation table resolved at start (bind now). They go on every
# target of an optimised build (fortification needs the optimiser), so the
# packages are made from hardened code. Debugging level, optimisation and
# path mapping stay the build type's own.
option(RINGWRIGHT_DEBIAN_FLAGS "Build with the hardening flags of Debian packages" ON)
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(RINGWRIGHT_DEBIAN_FLAGS AND DPKG_BUILDFLAGS AND NOT RINGWRIGHT_SANITIZE
   AND CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^(-g.*|-O.*|-ffile-prefix-map=.*)$")
    if(kind STREQUAL "LDFLAGS")
      add_link_options(${flags})
    else()
      add_compile_options(${flags})
    endif()
  endforeach()
  set(RINGWRIGHT_HARDENED ON)
endif()
