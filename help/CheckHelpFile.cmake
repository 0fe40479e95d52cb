# Fails unless the compiled help file holds every topic that tarvok.exe opens
# by name ("Info" opens new_page_7.htm inside it).
foreach(topic /new_page_7.htm /index.htm)
  file(STRINGS "${CHM}" hits REGEX "${topic}")
  if(NOT hits)
    message(FATAL_ERROR "${CHM} lacks the topic ${topic}")
  endif()
endforeach()
