# Sanitizers for the whole tree; the fuzzer build adds its own instrumentation per target.
if(TORMELA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Thread sanitizer, for the threaded parts; cannot be combined with TORMELA_SANITIZE.
option(TORMELA_TSAN "Build with the thread sanitizer" OFF)
if(TORMELA_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# Adds a libFuzzer target: tormela_add_fuzzer(name source... LIBS lib...)
function(tormela_add_fuzzer name)
  cmake_parse_arguments(F "" "" "LIBS" ${ARGN})
  add_executable(${name} ${F_UNPARSED_ARGUMENTS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
endfunction()
