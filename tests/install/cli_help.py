"""Reads zorvel-cli's command tree from its --help texts alone, the way a user sees it, so that
the man page and the completion can be checked against it independently of how they are made."""
import subprocess


def help_text(program, path):
    out = subprocess.run([program, *path, "--help"], capture_output=True, text=True, check=True)
    return out.stdout


def parse_help(text):
    """Returns (subcommands, options, positionals) of one --help text. Options are lists of the
    names of one entry (["-h", "--help"])."""
    subcommands, options, positionals = [], [], []
    section = None
    for line in text.splitlines():
        if line and not line.startswith(" ") and line.endswith(":"):
            section = line[:-1]
            continue
        if not line.startswith("  ") or line.startswith("   ") or section is None:
            continue
        first = line.split()[0]
        if section == "Subcommands":
            subcommands.append(first)
        elif section == "Positionals":
            positionals.append(first)
        else:  # "Options" or a named option group
            # A flag with a default shows it in braces: "--no-noise{false}".
            options.append([n.split("{")[0] for n in first.split(",")])
    return subcommands, options, positionals


def command_tree(program):
    """Every command path (a tuple of words; () is the program) with its parsed help."""
    tree = {}
    todo = [()]
    while todo:
        path = todo.pop(0)
        subs, opts, pos = parse_help(help_text(program, list(path)))
        tree[path] = (subs, opts, pos)
        todo.extend(path + (s,) for s in subs)
    return tree
