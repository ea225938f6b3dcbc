# bash completion for brixel-list: its options, the values of those that take a word, and folders.
_brixel_list() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=""
  ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
  # "--format=x" arrives as the words "--format", "=" and "x".
  if [[ $cur == "=" ]]; then
    cur=""
  elif [[ $prev == "=" ]] && ((COMP_CWORD > 1)); then
    prev=${COMP_WORDS[COMP_CWORD - 2]}
  fi

  case $prev in
    --order) mapfile -t COMPREPLY < <(compgen -W "sorted scan folder" -- "$cur"); return ;;
    -f | --format) mapfile -t COMPREPLY < <(compgen -W "txt html xls xlsx csv json" -- "$cur"); return ;;
    --tag-encoding) mapfile -t COMPREPLY < <(compgen -W "auto latin1 cp1251" -- "$cur"); return ;;
    --columns)
      # Comma-separated: complete the name after the last comma.
      local done=${cur%"${cur##*,}"}
      mapfile -t COMPREPLY < <(compgen -P "$done" -W "name folder size modified duration artist title album track year" \
        -- "${cur##*,}")
      compopt -o nospace 2>/dev/null
      return
      ;;
    --encoding) mapfile -t COMPREPLY < <(compgen -W "cp1251 utf-8" -- "$cur"); return ;;
    --digits) mapfile -t COMPREPLY < <(compgen -W "1 2 3 4 5" -- "$cur"); return ;;
    -o | --output)
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      return
      ;;
    -m | --mask | --start) return ;;  # free text
  esac

  local i options_done=0
  for ((i = 1; i < COMP_CWORD; i++)); do
    [[ ${COMP_WORDS[i]} == "--" ]] && options_done=1
  done
  if ((!options_done)) && [[ $cur == -* ]]; then
    local options="-r --recursive -m --mask --order -o --output -f --format --columns --tag-encoding --encoding
      --show-errors --in-place
      --upper --lower --first-capital --underscores --no-ext -n --number --digits --start
      -h --help --version --"
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    return
  fi
  compopt -o filenames 2>/dev/null
  mapfile -t COMPREPLY < <(compgen -d -- "$cur")
}
complete -F _brixel_list brixel-list
