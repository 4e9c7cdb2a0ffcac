# Lists the web build's site in SITE/site.json once everything is laid out: the build's name (the
# version and a hash of the files) and each file the page loads with its size in bytes, which the
# page shows its loading progress by; and writes SITE/service_worker.js from WORKER with the
# build's name (its cache's) and the files it keeps.
#   cmake -DSITE=build-web -DVERSION=1.0 -DWORKER=web/service_worker.js -P site_list.cmake
set(names index.html page.js demo.js audio_worklet.js manifest.webmanifest icon-192.png icon-512.png
  gaiablade.js gaiablade.wasm libfluidsynth.js TimGM6mb.sf2)
file(GLOB data RELATIVE ${SITE} ${SITE}/data/*)
list(REMOVE_ITEM data data/files.json)
list(SORT data)
list(APPEND names ${data})
set(entries "")
set(hashes "")
set(quoted "")
foreach(name ${names})
  if(NOT EXISTS ${SITE}/${name})
    message(FATAL_ERROR "${SITE}/${name} is missing")
  endif()
  file(SIZE ${SITE}/${name} size)
  file(SHA256 ${SITE}/${name} hash)
  string(APPEND entries "  [\"${name}\", ${size}],\n")
  string(APPEND hashes "${name} ${hash}\n")
  string(APPEND quoted "'${name}', ")
endforeach()
string(REGEX REPLACE ",\n$" "\n" entries "${entries}")
string(SHA256 all "${hashes}")
string(SUBSTRING ${all} 0 12 all)
set(build "${VERSION}-${all}")
file(WRITE ${SITE}/site.json.new "{\n \"build\": \"${build}\",\n \"files\": [\n${entries} ]\n}\n")
file(COPY_FILE ${SITE}/site.json.new ${SITE}/site.json ONLY_IF_DIFFERENT)
file(REMOVE ${SITE}/site.json.new)

string(REGEX REPLACE ", $" "" quoted "${quoted}")
file(READ ${WORKER} worker)
string(REPLACE "@BUILD@" "${build}" worker "${worker}")
string(REPLACE "@FILES@" "${quoted}" worker "${worker}")
file(WRITE ${SITE}/service_worker.js.new "${worker}")
file(COPY_FILE ${SITE}/service_worker.js.new ${SITE}/service_worker.js ONLY_IF_DIFFERENT)
file(REMOVE ${SITE}/service_worker.js.new)
