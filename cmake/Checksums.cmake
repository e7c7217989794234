# Writes SHA256SUMS for the given files, in the format `sha256sum -c` reads.
# cmake -DDIR=... -DFILES="a;b" -P Checksums.cmake
set(lines "")
foreach(name ${FILES})
  file(SHA256 "${DIR}/${name}" hash)
  string(APPEND lines "${hash}  ${name}\n")
endforeach()
file(WRITE "${DIR}/SHA256SUMS" "${lines}")
