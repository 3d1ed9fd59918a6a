# lastling_debian_copyright(LICENSE_FILE OUT_FILE): the machine-readable copyright file of the
# package, made from the project's LICENSE so that the licence is written down only once.
function(lastling_debian_copyright license_file out_file)
  file(READ ${license_file} text)
  string(REPLACE ";" "\\;" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(holder "")
  set(body "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^Copyright \\(c\\) (.*)$")
      set(holder "${CMAKE_MATCH_1}")
    elseif(holder STREQUAL "")
      continue() # the title above the notice
    elseif(line STREQUAL "")
      string(APPEND body " .\n")
    else()
      string(APPEND body " ${line}\n")
    endif()
  endforeach()
  string(REGEX REPLACE "^ \\.\n" "" body "${body}")
  string(REGEX REPLACE "( \\.\n)+$" "" body "${body}")
  file(WRITE ${out_file}
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Lastling
Upstream-Contact: Lastling developers <lastling@korvelsoftware.com>
Source: https://www.korvelsoftware.com

Files: *
Copyright: ${holder}
License: Expat

License: Expat
${body}")
endfunction()
