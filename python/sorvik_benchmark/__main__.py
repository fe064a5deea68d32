"""``python3 -m sorvik_benchmark``: the command-line runner (see ``cli``)."""

import sys

from .cli import main

sys.exit(main())
