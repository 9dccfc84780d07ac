# The build's reader of resources/payload/manifest.txt, by the rule in
# resources/payload/README.md (product.py there reads it by the same rule for
# the tools and tests), and the writer of the program's tables from it.

# manifest_read(MANIFEST): reads the manifest, or stops naming every line that
# breaks the rule. Sets in the caller's scope:
#   MANIFEST_STEPS          the steps in which setup unpacks each file
#   MANIFEST_FOLDER_COUNT   the folders that setup makes below the install
#   MANIFEST_FOLDER_<n>     folder, n from 1, in the order in which it makes them
#   MANIFEST_IDS            the files' ids, in the manifest's order
#   MANIFEST_<id>_FOLDER    a file's folder ("-": the install folder itself),
#   MANIFEST_<id>_NAME      its name and the size of the build's stand-in
#   MANIFEST_<id>_SIZE
# Names stay out of lists, whose semicolons and brackets a name may hold.
function(manifest_read manifest)
  set(number_limit 65535)
  file(READ ${manifest} text)
  set(steps "")
  set(folders 0)
  set(rows "")
  set(ids "")
  set(errors "")
  set(line_number 0)
  # taken_<folder>_<name>: a name in a folder, both in lower case and in hex,
  # the install folder's "".
  while(NOT text STREQUAL "")
    string(FIND "${text}" "\n" end)
    if(end EQUAL -1)
      set(line "${text}")
      set(text "")
    else()
      string(SUBSTRING "${text}" 0 ${end} line)
      math(EXPR end "${end} + 1")
      string(SUBSTRING "${text}" ${end} -1 text)
    endif()
    math(EXPR line_number "${line_number} + 1")
    string(REGEX REPLACE "\r$" "" line "${line}")
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    string(REGEX REPLACE "[^\t]" "" tabs "${line}")
    string(LENGTH "${tabs}" tabs)
    string(REGEX MATCH "^[^\t]*" first "${line}")
    set(found "")
    if(NOT line MATCHES "^[\t -~]*$")
      set(found "not printable ASCII")
    elseif(first STREQUAL "steps")
      string(REGEX MATCH "[^\t]*$" value "${line}")
      _manifest_number("${value}" ${number_limit} good)
      if(NOT tabs EQUAL 1 OR NOT good OR value EQUAL 0)
        set(found "not steps<TAB>N with N from 1 to ${number_limit}")
      elseif(NOT steps STREQUAL "")
        set(found "a second steps line")
      else()
        set(steps ${value})
      endif()
    elseif(first STREQUAL "folder")
      string(REGEX MATCH "[^\t]*$" name "${line}")
      _manifest_name("${name}" good key)
      if(NOT tabs EQUAL 1)
        set(found "not folder<TAB>NAME")
      elseif(rows)
        set(found "a folder line after the files")
      elseif(name STREQUAL "-" OR NOT good)
        set(found "\"${name}\" is no folder name that setup can make")
      elseif(DEFINED taken__${key})
        set(found "the folder \"${name}\" is given twice")
      else()
        math(EXPR folders "${folders} + 1")
        set(MANIFEST_FOLDER_${folders} "${name}" PARENT_SCOPE)
        set(taken__${key} 1)
        string(HEX "${name}" exact)
        set(folder_${exact} "${key}")
      endif()
    elseif(NOT tabs EQUAL 3)
      set(found "not id<TAB>folder<TAB>name<TAB>size")
    else()
      string(REGEX MATCH "^([^\t]*)\t([^\t]*)\t([^\t]*)\t([^\t]*)$" row "${line}")
      set(id "${CMAKE_MATCH_1}")
      set(folder "${CMAKE_MATCH_2}")
      set(name "${CMAKE_MATCH_3}")
      set(size "${CMAKE_MATCH_4}")
      # The install folder's key is "", a folder's that of its name.
      string(HEX "${folder}" exact)
      set(at "")
      if(DEFINED folder_${exact})
        set(at "${folder_${exact}}")
      endif()
      _manifest_number("${id}" ${number_limit} good)
      if(NOT good OR id EQUAL 0)
        set(found "the id \"${id}\" is no number from 1 to ${number_limit}")
      elseif(NOT folder STREQUAL "-" AND (folder STREQUAL "" OR NOT DEFINED folder_${exact}))
        set(found "no folder line names \"${folder}\"")
      elseif(id IN_LIST ids)
        set(found "the id ${id} is given twice")
      elseif(DEFINED rows_${at} AND NOT folder STREQUAL previous_folder)
        set(found "the rows of \"${folder}\" must stand together")
      elseif(DEFINED rows_${at} AND NOT id EQUAL next_id)
        set(found "expected id ${next_id}, the next of \"${folder}\"")
      else()
        # The row counts for the order of the ids even when its name or size
        # is refused.
        set(rows_${at} 1)
        set(rows 1)
        list(APPEND ids ${id})
        set(previous_folder "${folder}")
        math(EXPR next_id "${id} + 1")
        _manifest_number("${size}" 4294967295 good_size)
        _manifest_name("${name}" good key)
        if(NOT good_size)
          set(found "the size \"${size}\" is no number below 4 GiB")
        elseif(NOT good)
          set(found "\"${name}\" is no file name that setup can make")
        elseif(DEFINED taken_${at}_${key})
          set(found "\"${name}\" is already a name in its folder")
        else()
          set(taken_${at}_${key} 1)
          list(APPEND files ${id})
          set(MANIFEST_${id}_FOLDER "${folder}" PARENT_SCOPE)
          set(MANIFEST_${id}_NAME "${name}" PARENT_SCOPE)
          set(MANIFEST_${id}_SIZE ${size} PARENT_SCOPE)
        endif()
      endif()
    endif()
    if(found)
      string(APPEND errors "  line ${line_number}: ${found}\n")
    endif()
  endwhile()
  if(steps STREQUAL "")
    string(APPEND errors "  no steps line\n")
  endif()
  if(errors)
    message(FATAL_ERROR "${manifest} does not follow its rule (README.md beside it):\n${errors}")
  endif()
  set(MANIFEST_STEPS ${steps} PARENT_SCOPE)
  set(MANIFEST_FOLDER_COUNT ${folders} PARENT_SCOPE)
  set(MANIFEST_IDS ${files} PARENT_SCOPE)
endfunction()

# Whether text is a decimal number without leading zeros of at most limit.
function(_manifest_number text limit out)
  string(LENGTH "${text}" length)
  if(text MATCHES "^(0|[1-9][0-9]*)$" AND length LESS 11 AND NOT text GREATER limit)
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

# Whether text is a name that setup can make: 1 to 259 characters, none that
# Windows refuses in a name, no blank or dot at its end. key: the name in
# lower case and in hex, for the names taken in a folder.
function(_manifest_name text out key)
  string(LENGTH "${text}" length)
  if(length GREATER 0 AND length LESS 260 AND NOT text MATCHES "[\\\\/:*?\"<>|]" AND NOT text MATCHES "[ .]$")
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
  string(TOLOWER "${text}" lower)
  string(HEX "${lower}" hex)
  set(${key} "${hex}" PARENT_SCOPE)
endfunction()

# manifest_find(FOLDER NAME OUT): the id of the file NAME in FOLDER ("-": the
# install folder itself) in OUT; stops when the manifest has no such file.
function(manifest_find folder name out)
  foreach(id ${MANIFEST_IDS})
    if(MANIFEST_${id}_FOLDER STREQUAL folder AND MANIFEST_${id}_NAME STREQUAL name)
      set(${out} ${id} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "manifest.txt has no file \"${name}\" in the folder \"${folder}\"")
endfunction()

# The program's tables of the files, one per folder that holds files: the
# folder ("-": the install folder itself), the prefix of the table's names in
# the code (install/Payload.h) and its macro's.
set(MANIFEST_TABLES "-:AppFile:APP_FILE" "Compositions:CompositionFile:COMPOSITION_FILE"
                    "Images:ImageFile:IMAGE_FILE" "Shapes:ShapeFile:SHAPE_FILE")

# manifest_write_tables(OUT_DIR): from what manifest_read read, writes
#   OUT_DIR/install/PayloadManifest.h  the steps, the folders, each table's
#                                      folder, file count, first resource id
#                                      and names, for install/Payload.h/.cpp,
#                                      and every file for the tests
#   OUT_DIR/PayloadFiles.rc            one resource line per file, for the
#                                      resource scripts
# or stops when the files do not fill the program's tables.
function(manifest_write_tables out_dir)
  set(errors "")
  set(header "// Generated by the build from resources/payload/manifest.txt: edit that file.
// The tree that setup makes below the install folder, and the program's
// tables of the files in it, in the manifest's order: a name's resource id is
// its table's first id plus its index.
#pragma once

#include <cstdint>

// Setup unpacks each file in this many steps of its packed stream.
const int PayloadUnpackSteps = ${MANIFEST_STEPS};

// The folders below the install folder, in the order in which setup makes them.
const int SubfolderCount = ${MANIFEST_FOLDER_COUNT};
#define SUBFOLDER_NAMES")
  if(MANIFEST_FOLDER_COUNT GREATER 0)
    foreach(n RANGE 1 ${MANIFEST_FOLDER_COUNT})
      string(APPEND header " \\\n    \"${MANIFEST_FOLDER_${n}}\",")
    endforeach()
  endif()
  string(APPEND header "\n")

  foreach(table ${MANIFEST_TABLES})
    string(REPLACE ":" ";" table ${table})
    list(GET table 0 folder)
    list(GET table 1 prefix)
    list(GET table 2 macro)
    set(count 0)
    set(names "")
    foreach(id ${MANIFEST_IDS})
      if(MANIFEST_${id}_FOLDER STREQUAL folder)
        if(count EQUAL 0)
          set(first ${id})
        endif()
        math(EXPR count "${count} + 1")
        string(APPEND names " \\\n    \"${MANIFEST_${id}_NAME}\",")
      endif()
    endforeach()
    if(count EQUAL 0)
      string(APPEND errors "  no file in the folder \"${folder}\"\n")
      continue()
    endif()
    set(path "${folder}")
    if(folder STREQUAL "-")
      set(path "")
    endif()
    string(APPEND header "
const char ${prefix}sFolder[] = \"${path}\";
const int ${prefix}Count = ${count};
const uint16_t ${prefix}sBaseId = ${first};
#define ${macro}_NAMES${names}
")
  endforeach()

  string(APPEND header "
// Every file, for the tests: id, folder (\"\" for the install folder itself),
// name and the size of the build's stand-in.
#define PAYLOAD_FILE_ROWS")
  set(rc "// Generated by the build from resources/payload/manifest.txt: edit that file.
// The product's files, each a 4-byte length and a zlib stream, as resources
// of type RT_PAYLOAD whose id is the file's manifest id. A script that
// defines PAYLOAD_LEFT_OUT as an id carries every file but that one.
")
  foreach(id ${MANIFEST_IDS})
    set(folder "${MANIFEST_${id}_FOLDER}")
    set(tabled FALSE)
    foreach(table ${MANIFEST_TABLES})
      string(REGEX MATCH "^[^:]+" table_folder ${table})
      if(folder STREQUAL table_folder)
        set(tabled TRUE)
      endif()
    endforeach()
    string(HEX "${folder}" key)
    if(NOT tabled AND NOT DEFINED untabled_${key})
      set(untabled_${key} 1)
      string(APPEND errors "  no table of the program for the files of \"${folder}\"\n")
    endif()
    if(folder STREQUAL "-")
      set(folder "")
    endif()
    string(APPEND header " \\\n    {${id}, \"${folder}\", \"${MANIFEST_${id}_NAME}\", ${MANIFEST_${id}_SIZE}},")
    string(APPEND rc "#if PAYLOAD_LEFT_OUT != ${id}\n${id} RT_PAYLOAD \"${id}.z\" // ${MANIFEST_${id}_NAME}\n#endif\n")
  endforeach()
  string(APPEND header "\n")
  if(errors)
    message(FATAL_ERROR "The manifest's files do not fill the program's tables (cmake/Manifest.cmake):\n${errors}")
  endif()
  write_generated(${out_dir}/install/PayloadManifest.h "${header}")
  write_generated(${out_dir}/PayloadFiles.rc "${rc}")
endfunction()

# write_generated(PATH TEXT): writes a generated file unless it holds the text
# already, so that nothing is rebuilt for an unchanged one.
function(write_generated path text)
  if(EXISTS ${path})
    file(READ ${path} old)
    if(old STREQUAL text)
      return()
    endif()
  endif()
  file(WRITE ${path} "${text}")
endfunction()
