# Files of src/text (paths relative to src/).
