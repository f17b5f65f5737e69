# bash completion for dualis: its options, the values of those that take one, and file names
# for everything else.
_dualis() {
    # The words are taken from the line itself, since bash splits "--sync=3" at "=".
    local line=${COMP_LINE:0:COMP_POINT}
    local cur=${line##*[[:space:]]}
    local -a before
    read -ra before <<<"${line%"$cur"}"
    local prev=${before[${#before[@]}-1]-}
    local options="--report --dump --settings --option --help --version --ignore-case
        --ignore-leading-blanks --ignore-trailing-blanks --ignore-embedded-blanks
        --ignore-blank-lines --ignore-comments --ignore-line-numbers --expand-tabs
        --expand-tabs= --line-by-line --sync= --differences-only --differences-only=
        --color --color= --format= --lines --modules --module --ignore-save-noise
        --ignore-save-noise= --codepage= --extract --vba-text --encoding="
    local keys="ExpandTabs= IgnoreBlankLines= IgnoreCase= IgnoreComments=
        IgnoreEmbeddedBlanks= IgnoreLeadingBlanks= IgnoreLineNumbers= IgnoreTrailingBlanks=
        LineByLine= DifferencesOnly= SyncNumber= TabWidth= DifferencesBefore= DifferencesAfter=
        IgnoreSaveNoise= CodePage="
    COMPREPLY=()

    case $prev in
    --option)
        case $cur in
        SyncNumber=* | TabWidth=* | DifferencesBefore=* | DifferencesAfter=* | CodePage=*) ;;  # numbers
        *=*) COMPREPLY=($(compgen -P "${cur%%=*}=" -W "Yes No" -- "${cur#*=}")) ;;
        *) COMPREPLY=($(compgen -W "$keys" -- "$cur")) ;;
        esac
        ;;
    --dump | --settings | --vba-text)
        COMPREPLY=($(compgen -f -- "$cur"))
        ;;
    --module)
        ;;  # a module's name or path: nothing to propose
    *)
        case $cur in
        --color=*) COMPREPLY=($(compgen -P "--color=" -W "auto always never" -- "${cur#*=}")) ;;
        --format=*) COMPREPLY=($(compgen -P "--format=" -W "text json" -- "${cur#*=}")) ;;
        --ignore-save-noise=*)
            COMPREPLY=($(compgen -P "--ignore-save-noise=" -W "yes no" -- "${cur#*=}")) ;;
        --encoding=*) COMPREPLY=($(compgen -P "--encoding=" -W "utf-8 native" -- "${cur#*=}")) ;;
        --*=*) ;;  # a number, or BEFORE,AFTER: nothing to propose
        -*) COMPREPLY=($(compgen -W "$options" -- "$cur")) ;;
        *) COMPREPLY=($(compgen -f -- "$cur")) ;;
        esac
        ;;
    esac

    if [[ ${COMPREPLY[0]-} == *= ]]; then
        compopt -o nospace 2>/dev/null
    elif [[ $cur != -* && $cur != *=* ]]; then
        compopt -o filenames 2>/dev/null
    fi
    # Where "=" breaks words, bash replaces only the text after the last "=".
    if [[ $cur == *=* && $COMP_WORDBREAKS == *=* ]]; then
        local done=${cur%"${cur##*=}"}
        COMPREPLY=("${COMPREPLY[@]#"$done"}")
    fi
}
complete -F _dualis dualis
