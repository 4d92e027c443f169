# Files of src/options (paths relative to src/): the Options dialog.
