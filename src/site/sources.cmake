# Files of src/site (paths relative to src/).
