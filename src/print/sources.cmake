# Files of src/print (paths relative to src/).
