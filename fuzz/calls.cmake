# Writes the fuzz target's call table from the public header: one entry per exported function
# that talks to a controller, with its name, a caller that builds its arguments, and its
# parameter list as declared (names and array sizes tell the target where outputs end).
file(STRINGS ${HEADER} lines REGEX "^ZEFRA_API int32_t ZEFRA_CALL [A-Za-z_0-9]+\\(")
set(out "// Generated from the public header; do not edit.\n")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^ZEFRA_API int32_t ZEFRA_CALL ([A-Za-z_0-9]+)\\((.*)\\);.*$" "\\1" name "${line}")
  string(REGEX REPLACE "^ZEFRA_API int32_t ZEFRA_CALL ([A-Za-z_0-9]+)\\((.*)\\);.*$" "\\2" params "${line}")
  if(name MATCHES "^ZEFRA_(Init|Exit)_ETH$")
    continue()
  endif()
  string(APPEND out "{\"${name}\", &invoke<&${name}>, \"${params}\"},\n")
endforeach()
file(WRITE ${OUTPUT}.tmp "${out}")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
