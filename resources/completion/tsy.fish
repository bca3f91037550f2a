# SPDX-FileCopyrightText: 2026 Tessaly developers
# SPDX-License-Identifier: GPL-3.0-or-later

# fish completion of tsy, Tessaly's command-line companion. The commands and
# each command's options are read from tsy's own help, so they never differ
# from what the installed tsy takes; group names from the stack file named
# on the command line (tsy group list FILE, which reads only the group lines).

function __tsy_commands
    set -l words (commandline -opc)
    $words[1] --help 2>/dev/null | string replace -rf '^  ([a-z][a-z-]*) +(.*)$' '$1\t$2'
end

function __tsy_options
    set -l words (commandline -opc)
    $words[1] $words[2] --help 2>/dev/null | string match -ar -- '--[a-z][a-z-]*' | sort -u
end

# Where a group's name is asked for: after --group (but tsy list --group
# takes a position), in tsy move FILE GROUP and in tsy group rename|remove
# FILE GROUP.
function __tsy_wants_group
    set -l words (commandline -opc)
    test "$words[-1]" = --group; and test "$words[2]" != list; and return 0
    test "$words[2]" = move; and test (count $words) -eq 3; and return 0
    test "$words[2]" = group; and test (count $words) -ge 4; and contains -- "$words[3]" rename remove; and return 0
    return 1
end

function __tsy_groups
    set -l words (commandline -opc)
    for word in $words[3..-1]
        if string match -q -- '*.tsy' $word
            $words[1] group list (string replace -r '^~' $HOME -- $word) 2>/dev/null
            return
        end
    end
end

complete -c tsy -f -n __fish_use_subcommand -a '(__tsy_commands)'
complete -c tsy -f -n '__fish_seen_subcommand_from group; and test (count (commandline -opc)) -eq 2' -a 'list add rename remove'
complete -c tsy -f -n __tsy_wants_group -a '(__tsy_groups)'
complete -c tsy -f -n 'not __fish_use_subcommand; and string match -q -- "-*" (commandline -ct)' -a '(__tsy_options)'
