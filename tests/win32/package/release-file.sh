# Sourced by the scripts that test a release file of a build.
#   release_file BUILD_DIR EXTENSION TARGET
# Prints the newest Tarvik-*-<arch>.<EXTENSION> in BUILD_DIR/package, or
# says which target makes it and fails when there is none, or when it is
# older than the build's tarvik.exe.
release_file() {
  local arch file
  arch=$(cat "$1/wine-arch")
  file=$(ls -t "$1"/package/Tarvik-*-"$arch".$2 2>/dev/null | head -n 1)
  if [ -z "$file" ]; then
    echo "no .$2 in $1/package: cmake --build $1 --target $3" >&2
    return 1
  fi
  if [ "$file" -ot "$1/bin/tarvik.exe" ]; then
    echo "$file is older than $1/bin/tarvik.exe: cmake --build $1 --target $3" >&2
    return 1
  fi
  echo "$file"
}
