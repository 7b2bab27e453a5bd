# bash completion for quorvex-convert
_quorvex_convert() {
  local cur prev
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  case $prev in
    -o|--output|-L)
      COMPREPLY=($(compgen -d -- "$cur")); return ;;
    --report-json)
      COMPREPLY=($(compgen -f -- "$cur")); return ;;
    --stage)
      COMPREPLY=($(compgen -W "records data tree objtext rawdfm pas dfm translation" -- "$cur")); return ;;
    --from)
      COMPREPLY=($(compgen -W "scx objtext dfm" -- "$cur")); return ;;
    -j|--jobs|--codepage|--project)
      return ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "-o --output -k --keep-going -r --recursive -j --jobs -q --quiet --stage --from --codepage --report-json --loadable -L --project -h --help --version" -- "$cur"))
    return
  fi
  COMPREPLY=($(compgen -d -- "$cur") $(compgen -f -X '!*.[sS][cC][xX]' -- "$cur") $(compgen -f -X '!*.[pP][jJ][xX]' -- "$cur"))
}
complete -o filenames -F _quorvex_convert quorvex-convert
