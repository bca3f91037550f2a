# SPDX-FileCopyrightText: 2026 Tessaly developers
# SPDX-License-Identifier: GPL-3.0-or-later

# bash completion of tsy, Tessaly's command-line companion. The commands and
# each command's options are read from tsy's own help, so they never differ
# from what the installed tsy takes; group names from the stack file named
# on the command line (tsy group list FILE, which reads only the group lines).

_tsy_commands()
{
    "$1" --help 2>/dev/null | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p'
}

_tsy_options()
{
    "$1" "$2" --help 2>/dev/null | grep -o -- '--[a-z][a-z-]*' | sort -u
}

# The first argument after the command that names a .tsy file.
_tsy_file()
{
    local word
    for word in "${COMP_WORDS[@]:2:COMP_CWORD-2}"; do
        if [[ $word == *.tsy ]]; then
            printf '%s\n' "$word"
            return
        fi
    done
}

# Where a group's name is asked for: after --group (but tsy list --group
# takes a position), in tsy move FILE GROUP and in tsy group rename|remove
# FILE GROUP.
_tsy_wants_group()
{
    local command=${COMP_WORDS[1]}
    [[ ${COMP_WORDS[COMP_CWORD-1]} == --group && $command != list ]] && return 0
    [[ $command == move && $COMP_CWORD -eq 3 ]] && return 0
    [[ $command == group && $COMP_CWORD -ge 4 && ${COMP_WORDS[2]} =~ ^(rename|remove)$ ]] && return 0
    return 1
}

_tsy()
{
    local tsy=${COMP_WORDS[0]} cur=${COMP_WORDS[COMP_CWORD]}
    COMPREPLY=()
    if [[ $COMP_CWORD -eq 1 ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(_tsy_commands "$tsy")" -- "$cur")
        return
    fi
    local command=${COMP_WORDS[1]}
    if [[ $command == group && $COMP_CWORD -eq 2 ]]; then
        mapfile -t COMPREPLY < <(compgen -W "list add rename remove" -- "$cur")
        return
    fi
    if _tsy_wants_group; then
        local file name
        file=$(_tsy_file)
        if [[ -n $file ]]; then
            # A name with blanks or quotes is offered quoted, as one word.
            while IFS= read -r name; do
                [[ $name == "$cur"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
            done < <("$tsy" group list "${file/#\~/$HOME}" 2>/dev/null)
        fi
        return
    fi
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(_tsy_options "$tsy" "$command")" -- "$cur")
        return
    fi
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    compopt -o filenames 2>/dev/null
}

complete -F _tsy tsy
