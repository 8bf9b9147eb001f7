# Writes icon files out as explicit resources for the resource script: for each icon group,
# its images as RT_ICON resources with the given identifiers and the group directory as an
# RT_GROUP_ICON resource. windres's ICON statement would number the images itself; these
# identifiers are part of the program's resource data.
#
# cmake -DOUTPUT=file.rc "-DICONS=group:firstImage:file.ico|..." -P IconResources.cmake

# The little-endian number of `count` bytes at byte `offset` of a hex dump.
function(read_number hex offset count result)
  set(value "")
  math(EXPR last "${count} - 1")
  foreach(i RANGE ${last})
    math(EXPR at "(${offset} + ${i}) * 2")
    string(SUBSTRING "${hex}" ${at} 2 byte)
    set(value "${byte}${value}")
  endforeach()
  math(EXPR value "0x${value}")
  set(${result} ${value} PARENT_SCOPE)
endfunction()

# Raw resource data: the bytes as little-endian 16-bit words.
function(as_words hex result)
  string(LENGTH "${hex}" digits)
  math(EXPR odd "${digits} % 4")
  if(NOT odd EQUAL 0)
    message(FATAL_ERROR "an odd number of bytes cannot be written as words")
  endif()
  string(REGEX REPLACE "(..)(..)" "0x\\2\\1, " words "${hex}")
  string(REPEAT "0x...., " 12 line)
  string(REGEX REPLACE "(${line})" "\\1\n  " words "${words}")
  string(REGEX REPLACE "[ \n,]+$" "" words "${words}")
  string(REPLACE " \n" "\n" words "${words}")
  set(${result} "${words}" PARENT_SCOPE)
endfunction()

set(rc "// Generated from the program's .ico files by cmake/IconResources.cmake.\n")
string(REPLACE "|" ";" icons "${ICONS}")
foreach(icon IN LISTS icons)
  string(REPLACE ":" ";" parts "${icon}")
  list(GET parts 0 group)
  list(GET parts 1 image_id)
  list(GET parts 2 file)
  file(READ "${file}" hex HEX)
  read_number("${hex}" 2 2 type)
  read_number("${hex}" 4 2 count)
  if(NOT type EQUAL 1 OR count EQUAL 0)
    message(FATAL_ERROR "${file}: not an icon file")
  endif()
  # The group directory: the file's header, then each entry's first 12 bytes and the
  # identifier of its image in place of the file offset.
  string(SUBSTRING "${hex}" 0 12 directory)
  math(EXPR last "${count} - 1")
  foreach(i RANGE ${last})
    math(EXPR entry "6 + 16 * ${i}")
    math(EXPR entry_digits "${entry} * 2")
    string(SUBSTRING "${hex}" ${entry_digits} 24 fields)
    read_number("${hex}" "${entry} + 8" 4 size)
    read_number("${hex}" "${entry} + 12" 4 offset)
    math(EXPR id_hex "${image_id}" OUTPUT_FORMAT HEXADECIMAL)
    string(REGEX REPLACE "^0x" "" id_hex "${id_hex}")
    string(LENGTH "${id_hex}" id_digits)
    while(id_digits LESS 4)
      set(id_hex "0${id_hex}")
      string(LENGTH "${id_hex}" id_digits)
    endwhile()
    string(SUBSTRING "${id_hex}" 0 2 id_high)
    string(SUBSTRING "${id_hex}" 2 2 id_low)
    string(APPEND directory "${fields}${id_low}${id_high}")

    math(EXPR data_at "${offset} * 2")
    math(EXPR data_digits "${size} * 2")
    string(SUBSTRING "${hex}" ${data_at} ${data_digits} image)
    as_words("${image}" words)
    string(APPEND rc "${image_id} 3 {\n  ${words}\n}\n")
    math(EXPR image_id "${image_id} + 1")
  endforeach()
  as_words("${directory}" words)
  string(APPEND rc "${group} 14 {\n  ${words}\n}\n")
endforeach()

# Rewritten only when it changes, so that an unchanged icon compiles nothing again.
file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT "${rc}" @ONLY)
