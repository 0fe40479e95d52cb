# Fails unless the compiled help file holds every topic that tarvok.exe opens
# by name ("Info" opens whats-new.htm inside it), and unless every link
# between the pages leads to a page that the project compiles in.
#   cmake -DCHM=<help file> -DSOURCES=<help/src> -P CheckHelpFile.cmake
cmake_minimum_required(VERSION 3.25)
foreach(topic /whats-new.htm /index.htm)
  file(STRINGS "${CHM}" hits REGEX "${topic}")
  if(NOT hits)
    message(FATAL_ERROR "${CHM} lacks the topic ${topic}")
  endif()
endforeach()

file(STRINGS "${SOURCES}/Tarvok.hhp" project)
file(GLOB pages "${SOURCES}/*.htm")
foreach(page IN LISTS pages)
  get_filename_component(name "${page}" NAME)
  if(NOT name IN_LIST project)
    message(FATAL_ERROR "${name} is not listed in Tarvok.hhp")
  endif()
  file(READ "${page}" html)
  string(REGEX MATCHALL "href=\"[^\"#]+" links "${html}")
  foreach(link IN LISTS links)
    string(REPLACE "href=\"" "" target "${link}")
    if(target MATCHES "://")
      continue()  # the web page
    endif()
    if(NOT target IN_LIST project)
      message(FATAL_ERROR "${name} links to ${target}, which the help file does not hold")
    endif()
  endforeach()
endforeach()
