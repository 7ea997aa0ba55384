# Writes the service worker: its cache is named after the project's version
# and a hash of every file it caches, so that a new build replaces it.
#   cmake -DSITE=folder -DFILES=a,b,c -DVERSION=x.y.z -DTEMPLATE=sw.js.in -P service_worker.cmake
string(REPLACE "," ";" FILES "${FILES}")
set(all "")
set(SITE_FILES "\"./\"")
foreach(name IN LISTS FILES)
    file(SHA256 "${SITE}/${name}" hash)
    string(APPEND all "${hash}")
    string(APPEND SITE_FILES ", \"${name}\"")
endforeach()
string(SHA256 SITE_HASH "${all}")
string(SUBSTRING "${SITE_HASH}" 0 12 SITE_HASH)
set(PROJECT_VERSION "${VERSION}")
configure_file("${TEMPLATE}" "${SITE}/sw.js" @ONLY)
