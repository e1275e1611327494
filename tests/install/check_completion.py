#!/usr/bin/env python3
"""The bash completion offers what --help lists: at every command, a dash completes to exactly
that command's options and an empty word to its subcommands; a value is offered from an option's
fixed set; after an option that takes a free value, bash is left to complete file names.
Usage: check_completion.py ZORVEL_CLI COMPLETION_SCRIPT"""
import subprocess
import sys

import cli_help


def complete(script, words):
    """COMPREPLY for the command line `words`, the last word being completed."""
    quoted = " ".join("'" + w.replace("'", "'\\''") + "'" for w in words)
    shell = (f"source '{script}'\n"
             f"COMP_WORDS=({quoted}); COMP_CWORD={len(words) - 1}\n"
             "_zorvel_cli\n"
             "printf '%s\\n' \"${COMPREPLY[@]}\"\n")
    out = subprocess.run(["bash", "--norc", "--noprofile", "-c", shell], capture_output=True, text=True)
    if out.returncode != 0:
        raise SystemExit(f"bash failed on {words}: {out.stderr}")
    return sorted(w for w in out.stdout.splitlines() if w)


def main():
    cli, script = sys.argv[1], sys.argv[2]
    problems = []
    registered = subprocess.run(["bash", "--norc", "-c", f"source '{script}'; complete -p zorvel-cli"],
                                capture_output=True, text=True)
    if "_zorvel_cli" not in registered.stdout:
        problems.append("the script does not register a completion for zorvel-cli")
    tree = cli_help.command_tree(cli)
    for path, (subs, opts, _) in tree.items():
        line = ["zorvel-cli", *path]
        want_options = sorted(n for names in opts for n in names)
        got = complete(script, line + ["-"])
        if got != want_options:
            problems.append(f"{' '.join(line)} -: offered {got}, --help lists {want_options}")
        if subs:
            got = complete(script, line + [""])
            if got != sorted(subs):
                problems.append(f"{' '.join(line)}: offered {got}, --help lists {sorted(subs)}")
            # A prefix narrows the choice to the subcommands it starts.
            prefix = subs[-1][:2]
            got = complete(script, line + [prefix])
            if got != sorted(s for s in subs if s.startswith(prefix)):
                problems.append(f"{' '.join(line)} {prefix}: offered {got}")
    # Options come after the command words; a value that looks like a command is not one.
    got = complete(script, ["zorvel-cli", "find-calls", "a.ZV1", "--"])
    if "--jobs" not in got:
        problems.append(f"zorvel-cli find-calls a.ZV1 --: offered {got}")
    # A fixed set of values, read from the validator that --help shows as "{1,2}".
    help_simulate = cli_help.help_text(cli, ["simulate"])
    scheme_line = next(l for l in help_simulate.splitlines() if l.strip().startswith("--scheme"))
    allowed = sorted(scheme_line.split("{")[1].split("}")[0].split(","))
    got = complete(script, ["zorvel-cli", "simulate", "--scheme", ""])
    if got != allowed:
        problems.append(f"zorvel-cli simulate --scheme: offered {got}, --help allows {allowed}")
    # After --out (a free value) nothing is offered, so bash falls back to file names.
    got = complete(script, ["zorvel-cli", "import", "--out", ""])
    if got:
        problems.append(f"zorvel-cli import --out: offered {got} instead of leaving file names to bash")

    for p in problems:
        print(p)
    print(f"{len(tree)} commands checked, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
