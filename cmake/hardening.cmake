# hardening.cmake -- the protections Debian builds its binaries with (what
# dpkg-buildflags gives with hardening=+all): checked string and memory
# functions, stack protector, a read-only relocation table bound at start-up.
# None of them touches the floating-point code, so a recorded game plays the
# same with or without them; the optimisation level stays the build type's.
option(BODGER_HARDEN "Build with Debian's hardening flags (fortify, stack protector, relro, bindnow)"
       ON)
# The sanitizer and fuzz builds bring checks of their own, and fortify needs
# an optimised build.
if(BODGER_HARDEN AND NOT BODGER_SANITIZE AND NOT BODGER_FUZZ)
  add_compile_options(-fstack-protector-strong $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE>
                      $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
